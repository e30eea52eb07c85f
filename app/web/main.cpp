// The calculator in a web page: the window's own handlers, run on the page's runtime. The
// page calls velmarith_event for each control event, one at a time, and waits for it to end
// (a handler may wait on the page's prompt).
#include <emscripten.h>

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "app/shared/ResultJson.h"
#include "tables/MaterialTables.h"
#include "texts/Texts.h"
#include "ui/ExpansionForm.h"
#include "ui/WindowGeometry.h"
#include "ui/web/WebRuntime.h"

namespace {

using namespace velmarith;

velmarith::WebRuntime runtime;
velmarith::ExpansionForm form(runtime);

// The window's size and its controls' boxes, [x, y, width, height].
nlohmann::ordered_json Geometry() {
    using namespace velmarith::geometry;
    nlohmann::ordered_json boxes = {{"client", {0, 0, kClientWidth, kClientHeight}}};
    for (const auto& [name, box] : kControls) {
        boxes[std::string(name)] = {box.x, box.y, box.width, box.height};
    }
    return boxes;
}

}  // namespace

extern "C" {

EMSCRIPTEN_KEEPALIVE void velmarith_load() { form.Form_Load(); }

// The window's texts and layout as JSON, so that the page shows the core's own.
EMSCRIPTEN_KEEPALIVE const char* velmarith_captions() {
    using namespace velmarith;
    static std::string json;
    json = tool::JsonText({
        {"window", texts::WindowName},
        {"frame", texts::FrameCaption},
        {"listStart", texts::ListStartText},
        {"buttons",
         {texts::TemperatureCaption, texts::LengthCaption, texts::OutputCaption,
          texts::ClearCaption}},
        {"label", texts::LabelCaption},
        {"version", texts::ProductName},
        {"entries", MaterialListTexts},
        {"geometry", Geometry()},
    });
    return json.c_str();
}

// 1: Combo1, 2 … 5: Command2 … Command5, 6: Label1.
EMSCRIPTEN_KEEPALIVE void velmarith_event(int control) {
    switch (control) {
        case 1:
            form.Combo1_Click();
            break;
        case 2:
            form.Command2_Click();
            break;
        case 3:
            form.Command3_Click();
            break;
        case 4:
            form.Command4_Click();
            break;
        case 5:
            form.Command5_Click(1);
            break;
        case 6:
            form.Label1_Click();
            break;
        default:
            break;
    }
}

}  // extern "C"

int main() { return 0; }
