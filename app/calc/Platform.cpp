#include "app/calc/Platform.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <windows.h>
// shellapi.h needs windows.h first.
#include <shellapi.h>
#endif

namespace velmarith::tool {

#ifdef _WIN32

namespace {

std::string ToUtf8(const wchar_t* text) {
    const int size = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    if (size <= 1) return {};
    std::string result(static_cast<std::size_t>(size - 1), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text, -1, result.data(), size, nullptr, nullptr);
    return result;
}

std::wstring ToWide(const std::string& text) {
    const int size = MultiByteToWideChar(CP_UTF8, 0, text.c_str(), -1, nullptr, 0);
    if (size <= 1) return {};
    std::wstring result(static_cast<std::size_t>(size - 1), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.c_str(), -1, result.data(), size);
    return result;
}

}  // namespace

std::vector<std::string> Utf8Arguments(int, char**) {
    int count = 0;
    wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::string> arguments;
    for (int i = 0; wide != nullptr && i < count; ++i) arguments.push_back(ToUtf8(wide[i]));
    LocalFree(wide);
    return arguments;
}

std::FILE* OpenForReading(const std::string& utf8Path) {
    return _wfopen(ToWide(utf8Path).c_str(), L"rb");
}

std::FILE* OpenForWriting(const std::string& utf8Path) {
    return _wfopen(ToWide(utf8Path).c_str(), L"wb");
}

void PrepareStandardStreams() {
    _setmode(_fileno(stdin), _O_BINARY);
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
    SetConsoleOutputCP(CP_UTF8);
}

#else

std::vector<std::string> Utf8Arguments(int argc, char** argv) { return {argv, argv + argc}; }

std::FILE* OpenForReading(const std::string& utf8Path) {
    return std::fopen(utf8Path.c_str(), "rb");
}

std::FILE* OpenForWriting(const std::string& utf8Path) {
    return std::fopen(utf8Path.c_str(), "wb");
}

void PrepareStandardStreams() {}

#endif

}  // namespace velmarith::tool
