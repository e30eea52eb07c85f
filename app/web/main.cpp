// The calculator in a web page: the window's own handlers, run on the page's runtime. The
// page calls velmarith_event for each control event, one at a time, and waits for it to end
// (a handler may wait on the page's prompt).
#include <emscripten.h>

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "app/web/Json.h"
#include "tables/MaterialTables.h"
#include "texts/Texts.h"
#include "ui/ExpansionForm.h"
#include "ui/web/WebRuntime.h"

namespace {

using namespace velmarith;

velmarith::WebRuntime runtime;
velmarith::ExpansionForm form(runtime);

using web::Quoted;

}  // namespace

extern "C" {

EMSCRIPTEN_KEEPALIVE void velmarith_load() { form.Form_Load(); }

// The window's texts as JSON, so that the page shows the core's own.
EMSCRIPTEN_KEEPALIVE const char* velmarith_captions() {
    using namespace velmarith;
    static std::string json;
    json = "{\"window\":" + Quoted(texts::WindowName) +
           ",\"frame\":" + Quoted(texts::FrameCaption) +
           ",\"listStart\":" + Quoted(texts::ListStartText) + ",\"buttons\":[" +
           Quoted(texts::TemperatureCaption) + "," + Quoted(texts::LengthCaption) + "," +
           Quoted(texts::OutputCaption) + "," + Quoted(texts::ClearCaption) +
           "],\"label\":" + Quoted(texts::LabelCaption) +
           ",\"version\":" + Quoted(texts::ProductName) + ",\"entries\":[";
    for (std::size_t i = 0; i < MaterialListTexts.size(); ++i) {
        json += (i > 0 ? "," : "") + Quoted(MaterialListTexts[i]);
    }
    json += "]}";
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
