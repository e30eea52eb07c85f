#include "app/calc/MaterialsFile.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "app/calc/Platform.h"
#include "app/shared/MaterialsText.h"

namespace velmarith::tool {

using namespace engineering;

std::variant<std::vector<UserMaterial>, std::string> LoadMaterialsFile(const std::string& path) {
    std::FILE* file = OpenForReading(path);
    if (file == nullptr) {
        return "velmarith-calc: 无法打开材料文件 " + path + ": " + std::strerror(errno);
    }
    std::string bytes;
    char chunk[1 << 16];
    std::size_t read = 0;
    while ((read = std::fread(chunk, 1, sizeof chunk, file)) > 0 &&
           bytes.size() <= kLargestMaterialsFile) {
        bytes.append(chunk, read);
    }
    const bool failed = std::ferror(file) != 0;
    const int error = errno;
    std::fclose(file);
    if (failed) return "velmarith-calc: 无法读取材料文件 " + path + ": " + std::strerror(error);

    auto read_ = ReadMaterialsText(bytes);
    if (auto* materials = std::get_if<std::vector<UserMaterial>>(&read_))
        return std::move(*materials);
    std::string text;
    for (const auto& line : FaultLines(path, std::get<std::vector<MaterialFault>>(read_))) {
        text += "velmarith-calc: " + line + "\n";
    }
    text += "velmarith-calc: 材料文件有误, 未作任何计算\n";
    return text;
}

}  // namespace velmarith::tool
