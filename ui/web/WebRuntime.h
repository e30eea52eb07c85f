#pragma once

#include "runtime/Runtime.h"

namespace velmarith {

// The runtime of the web page: prints into its print area, clears it, opens its modal prompt
// and waits for the answer (the handlers are suspended meanwhile, through Asyncify), enables
// its buttons and reads its list, all through the page's script (window.velmarithPage).
class WebRuntime : public Runtime {
  public:
    void PrintLine(std::span<const std::string_view> items) override;
    void Cls() override;
    std::optional<std::string> InputBox(std::string_view prompt) override;
    void EnableButton(Button button) override;
    std::int16_t SelectedListPosition() override;
};

}  // namespace velmarith
