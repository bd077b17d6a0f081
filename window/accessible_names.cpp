#include "accessible_names.h"

#include <commctrl.h>
#include <oleacc.h>

#include <atomic>

namespace velmora {
namespace {

using CreateStdAccessibleObjectFunction = HRESULT(WINAPI*)(HWND, LONG, REFIID, void**);
using LresultFromObjectFunction = LRESULT(WINAPI*)(REFIID, WPARAM, LPUNKNOWN);

// oleacc.dll is not one of the DLLs Windows always takes from System32, so it
// is loaded from there explicitly, never from the program's folder. It stays
// loaded for the process.
struct Oleacc {
    CreateStdAccessibleObjectFunction createStdAccessibleObject = nullptr;
    LresultFromObjectFunction lresultFromObject = nullptr;
};

template <typename Function> Function Lookup(HMODULE module, const char* name) {
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}

const Oleacc& LoadedOleacc() {
    static const Oleacc oleacc = [] {
        const HMODULE module = LoadLibraryExW(L"oleacc.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
        if (module == nullptr)
            return Oleacc{};
        return Oleacc{
            Lookup<CreateStdAccessibleObjectFunction>(module, "CreateStdAccessibleObject"),
            Lookup<LresultFromObjectFunction>(module, "LresultFromObject")};
    }();
    return oleacc;
}

// The system's accessible object for a control with its name replaced; every
// other question goes to the system's object. A COM object: it deletes itself
// on its last Release.
class NamedAccessible final : public IAccessible {
  public:
    NamedAccessible(IAccessible* system, const wchar_t* name) : system_(system), name_(name) {}
    NamedAccessible(const NamedAccessible&) = delete;
    NamedAccessible& operator=(const NamedAccessible&) = delete;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        if (object == nullptr)
            return E_POINTER;
        if (iid == __uuidof(IUnknown) || iid == __uuidof(IDispatch) ||
            iid == __uuidof(IAccessible)) {
            *object = static_cast<IAccessible*>(this);
            AddRef();
            return S_OK;
        }
        return system_->QueryInterface(iid, object);
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
    ULONG STDMETHODCALLTYPE Release() override {
        const ULONG left = --references_;
        if (left == 0)
            delete this;
        return left;
    }

    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
        if (child.vt != VT_I4 || child.lVal != CHILDID_SELF)
            return system_->get_accName(child, name);
        if (name == nullptr)
            return E_POINTER;
        *name = SysAllocString(name_);
        return *name != nullptr ? S_OK : E_OUTOFMEMORY;
    }

    // clang-format off
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override { return system_->GetTypeInfoCount(count); }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) override { return system_->GetTypeInfo(index, locale, info); }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID locale, DISPID* ids) override { return system_->GetIDsOfNames(iid, names, count, locale, ids); }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID iid, LCID locale, WORD flags, DISPPARAMS* parameters, VARIANT* result, EXCEPINFO* exception, UINT* argument) override { return system_->Invoke(id, iid, locale, flags, parameters, result, exception, argument); }
    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override { return system_->get_accParent(parent); }
    HRESULT STDMETHODCALLTYPE get_accChildCount(long* count) override { return system_->get_accChildCount(count); }
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** object) override { return system_->get_accChild(child, object); }
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override { return system_->get_accValue(child, value); }
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* text) override { return system_->get_accDescription(child, text); }
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override { return system_->get_accRole(child, role); }
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override { return system_->get_accState(child, state); }
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override { return system_->get_accHelp(child, help); }
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, long* topic) override { return system_->get_accHelpTopic(file, child, topic); }
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) override { return system_->get_accKeyboardShortcut(child, shortcut); }
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* child) override { return system_->get_accFocus(child); }
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* children) override { return system_->get_accSelection(children); }
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override { return system_->get_accDefaultAction(child, action); }
    HRESULT STDMETHODCALLTYPE accSelect(long flags, VARIANT child) override { return system_->accSelect(flags, child); }
    HRESULT STDMETHODCALLTYPE accLocation(long* left, long* top, long* width, long* height, VARIANT child) override { return system_->accLocation(left, top, width, height, child); }
    HRESULT STDMETHODCALLTYPE accNavigate(long direction, VARIANT start, VARIANT* end) override { return system_->accNavigate(direction, start, end); }
    HRESULT STDMETHODCALLTYPE accHitTest(long left, long top, VARIANT* child) override { return system_->accHitTest(left, top, child); }
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override { return system_->accDoDefaultAction(child); }
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT child, BSTR name) override { return system_->put_accName(child, name); }
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT child, BSTR value) override { return system_->put_accValue(child, value); }
    // clang-format on

  private:
    ~NamedAccessible() { system_->Release(); }

    IAccessible* system_;
    const wchar_t* name_;
    std::atomic<ULONG> references_{1};
};

LRESULT AnswerGetObject(HWND control, WPARAM flags, const wchar_t* name) {
    const Oleacc& oleacc = LoadedOleacc();
    IAccessible* system = nullptr;
    if (oleacc.lresultFromObject == nullptr ||
        FAILED(oleacc.createStdAccessibleObject(control, OBJID_CLIENT, __uuidof(IAccessible),
                                                reinterpret_cast<void**>(&system))))
        return 0;
    // COM owns the object through its reference count; LresultFromObject holds
    // a reference of its own until the screen reader takes the object.
    IAccessible* const named = new NamedAccessible(system, name);
    const LRESULT result = oleacc.lresultFromObject(__uuidof(IAccessible), flags, named);
    named->Release();
    return result;
}

LRESULT CALLBACK NamedControlProcedure(HWND control, UINT message, WPARAM wParam, LPARAM lParam,
                                       UINT_PTR subclass, DWORD_PTR name) {
    if (message == WM_GETOBJECT && static_cast<LONG>(lParam) == OBJID_CLIENT) {
        if (const LRESULT answer =
                AnswerGetObject(control, wParam, reinterpret_cast<const wchar_t*>(name)))
            return answer;
    } else if (message == WM_NCDESTROY) {
        RemoveWindowSubclass(control, NamedControlProcedure, subclass);
    }
    return DefSubclassProc(control, message, wParam, lParam);
}

} // namespace

void NameForScreenReaders(HWND control, const wchar_t* name) {
    SetWindowSubclass(control, NamedControlProcedure, 0, reinterpret_cast<DWORD_PTR>(name));
}

ComApartment::ComApartment()
    : initialised_(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}

ComApartment::~ComApartment() {
    if (initialised_)
        CoUninitialize();
}

} // namespace velmora
