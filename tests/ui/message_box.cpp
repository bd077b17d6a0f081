#include "message_box.h"

#include "wait.h"
#include "window_text.h"

namespace velmora::ui {

namespace {

bool IsIconStatic(HWND child) {
    return ClassName(child) == L"Static" &&
           (GetWindowLongW(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON;
}

std::vector<HWND> VisibleChildren(HWND box, const wchar_t* windowClass) {
    std::vector<HWND> children;
    for (HWND child = GetWindow(box, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        if (IsWindowVisible(child) && ClassName(child) == windowClass)
            children.push_back(child);
    }
    return children;
}

} // namespace

MessageBoxView ReadMessageBox(HWND box) {
    MessageBoxView view;
    view.caption = WindowText(box);
    for (HWND label : VisibleChildren(box, L"Static")) {
        // A box always holds an icon static; without an icon it holds no image.
        if (IsIconStatic(label))
            view.showsIcon = view.showsIcon || SendTo(label, STM_GETICON) != 0;
        else
            view.text += WindowText(label);
    }
    for (HWND button : VisibleChildren(box, L"Button"))
        view.buttons.push_back(WindowText(button));
    view.owner = GetWindow(box, GW_OWNER);
    view.ownerEnabled = view.owner != nullptr && IsWindowEnabled(view.owner);
    return view;
}

void DismissMessageBox(HWND box) {
    const auto buttons = VisibleChildren(box, L"Button");
    if (buttons.empty())
        throw DriverError("the message box has no button");
    SendTo(buttons.front(), BM_CLICK);
    if (!WaitUntil([&] { return !IsWindow(box) || !IsWindowVisible(box); }))
        throw DriverError("the message box did not close");
}

} // namespace velmora::ui
