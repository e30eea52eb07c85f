// A whole session of the window without a toolkit: the input bytes choose list clicks,
// button presses and prompt answers (Cancel and garbage included). After every event the
// enabled buttons follow the state table, every printed line is one the window may print,
// and every output press is whole: a coefficient line, three empty lines and a result line
// that agrees with Expansion, or a message.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "tests/support/Invariants.h"
#include "tests/support/ScriptedRuntime.h"
#include "ui/ExpansionForm.h"

namespace {

using velmarith::Button;

const char* const kAnswers[] = {
    "150",    "-100", "-200",  "800",          "801",     "900",      "20",    "100",
    "300",    "500",  "700",   "750",          "1000",    "-201",     "800.5", "801.5",
    "20.5",   "1e39", "-1e39", "3.4028235e38", "32767.5", "-32768.5", "abc",   " ",
    "１５０", "0",    "-0.0",  "1E+37",        "99",      "650",      "1e-50", "2500",
};

class Bytes {
  public:
    Bytes(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
    bool Empty() const { return pos_ >= size_; }
    std::uint8_t Next() { return pos_ < size_ ? data_[pos_++] : 0; }

  private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t pos_ = 0;
};

// The shared scripted runtime, with answers drawn from the input and every line checked.
class FuzzRuntime : public velmarith::ScriptedRuntime {
  public:
    explicit FuzzRuntime(Bytes& bytes) : bytes_(bytes) { enabled.insert(Button::Command5); }

    void PrintLine(std::span<const std::string_view> items) override {
        ScriptedRuntime::PrintLine(items);
        const std::string problem = velmarith::testing::CheckLine(transcript.back().substr(5));
        if (!problem.empty()) Fail(problem);
    }
    std::optional<std::string> InputBox(std::string_view prompt) override {
        Answer(NextAnswer());
        return ScriptedRuntime::InputBox(prompt);
    }

    // The lines printed since the last call, a clear shown as "<cls>".
    std::vector<std::string> TakePrinted() {
        std::vector<std::string> printed;
        for (auto& entry : TakeTranscript()) {
            if (entry == "cls") printed.emplace_back("<cls>");
            if (entry.starts_with("line:")) printed.push_back(entry.substr(5));
        }
        return printed;
    }

    static void Fail(const std::string& problem) {
        std::fprintf(stderr, "invariant broken: %s\n", problem.c_str());
        std::abort();
    }

  private:
    std::optional<std::string> NextAnswer() {
        const std::uint8_t kind = bytes_.Next();
        switch (kind % 4) {
            case 0:
                return std::nullopt;
            case 1:
                return std::string();
            case 2:
                return std::string(kAnswers[bytes_.Next() % std::size(kAnswers)]);
            default: {
                std::string raw;
                for (int n = bytes_.Next() % 24; n > 0 && !bytes_.Empty(); --n) {
                    raw += static_cast<char>(bytes_.Next());
                }
                return raw;
            }
        }
    }

    Bytes& bytes_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Bytes bytes(data, size);
    FuzzRuntime runtime(bytes);
    velmarith::ExpansionForm form(runtime);
    form.Form_Load();
    velmarith::testing::ButtonModel model;
    for (int events = 0; !bytes.Empty() && events < 64; ++events) {
        const std::uint8_t event = bytes.Next();
        runtime.TakeTranscript();
        switch (event % 6) {
            case 0:
                runtime.position = static_cast<std::int16_t>(bytes.Next() % 9) - 1;
                form.Combo1_Click();
                model.materialPicked = model.materialPicked || runtime.position >= 0;
                break;
            case 1:
                if (!runtime.enabled.contains(Button::Command2)) break;
                form.Command2_Click();
                model.temperatureAsked = true;
                break;
            case 2:
                if (!runtime.enabled.contains(Button::Command3)) break;
                form.Command3_Click();
                model.lengthAsked = true;
                break;
            case 3: {
                if (!runtime.enabled.contains(Button::Command4)) break;
                form.Command4_Click();
                const auto problem = velmarith::testing::CheckOutputPress(
                    runtime.TakePrinted(), form.State(), runtime.position);
                if (!problem.empty()) FuzzRuntime::Fail(problem);
                break;
            }
            case 4:
                form.Command5_Click(1);
                break;
            default:
                form.Label1_Click();
                break;
        }
        if (runtime.enabled != model.Expected()) FuzzRuntime::Fail("enabled buttons");
    }
    return 0;
}
