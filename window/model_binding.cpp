#include "model_binding.h"

#include "control_ids.h"
#include "system_error.h"

#include <string>

namespace velmora {
namespace {

std::wstring ControlText(HWND form, ControlId id) {
    const HWND control = GetDlgItem(form, id);
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(control)), L'\0');
    const int copied = GetWindowTextW(control, text.data(), static_cast<int>(text.size()) + 1);
    text.resize(static_cast<std::size_t>(copied));
    return text;
}

void SetControlText(HWND form, ControlId id, const std::wstring& text, const std::wstring& shown) {
    if (text != shown && !SetDlgItemTextW(form, id, text.c_str()))
        ThrowLastError(ShowResultFailed, FieldTooFull);
}

} // namespace

WindowModel ReadModel(HWND form) {
    WindowModel model;
    model.Text1 = ControlText(form, IdText1);
    model.Text2 = ControlText(form, IdText2);
    model.Text3 = ControlText(form, IdText3);
    model.Text4 = ControlText(form, IdText4);
    model.Option1 = IsDlgButtonChecked(form, IdOption1) == BST_CHECKED;
    return model;
}

void WriteModel(HWND form, const WindowModel& model, const WindowModel& shown) {
    SetControlText(form, IdText1, model.Text1, shown.Text1);
    SetControlText(form, IdText2, model.Text2, shown.Text2);
    SetControlText(form, IdText3, model.Text3, shown.Text3);
    SetControlText(form, IdText4, model.Text4, shown.Text4);
    if (model.Option1 != shown.Option1)
        CheckDlgButton(form, IdOption1, model.Option1 ? BST_CHECKED : BST_UNCHECKED);
}

} // namespace velmora
