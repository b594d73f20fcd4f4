// The WebAssembly module's interface: one class, plain numbers and texts in and out.
#include <emscripten/bind.h>

#include "web_form.hpp"

EMSCRIPTEN_BINDINGS(equivtimes) {
    using et::web::WebForm;
    emscripten::class_<WebForm>("WebForm")
        .constructor<>()
        .function("selectOption", &WebForm::selectOption)
        .function("setTimeText", &WebForm::setTimeText)
        .function("clickHelp", &WebForm::clickHelp)
        .function("clickVersion", &WebForm::clickVersion)
        .function("chooseHelpItem", &WebForm::chooseHelpItem)
        .function("cancelTextWindow", &WebForm::cancelTextWindow)
        .function("editTextWindow", &WebForm::editTextWindow)
        .function("setSizes", &WebForm::setSizes)
        .function("view", &WebForm::view)
        .class_function("elements", &WebForm::elements);
}
