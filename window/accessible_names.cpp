#include "accessible_names.h"

#include <commctrl.h>
#include <oleacc.h>

#include <atomic>
#include <new>

namespace velmora {
namespace {

bool IsSelf(const VARIANT& child) {
    return child.vt == VT_EMPTY || (child.vt == VT_I4 && child.lVal == CHILDID_SELF) ||
           (child.vt == VT_ERROR && child.scode == DISP_E_PARAMNOTFOUND); // an omitted argument
}

// The system's accessible object for a control under another name, for
// screen readers where Direct Annotation fails. A COM object of its own: it
// answers only for the interfaces it implements, so that every way back from
// them leads to it again, never to the unnamed object inside. It refuses
// IServiceProvider, through which UI Automation would reach that object, and
// IEnumVARIANT, as the controls it names have no children. It deletes itself
// on its last Release.
class NamedAccessible final : public IAccessible, public IOleWindow {
  public:
    NamedAccessible(HWND control, IAccessible* system, const wchar_t* name)
        : control_(control), system_(system), name_(name) {}
    NamedAccessible(const NamedAccessible&) = delete;
    NamedAccessible& operator=(const NamedAccessible&) = delete;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        if (object == nullptr)
            return E_POINTER;
        *object = nullptr;
        if (iid == __uuidof(IUnknown) || iid == __uuidof(IDispatch) || iid == __uuidof(IAccessible))
            *object = static_cast<IAccessible*>(this);
        else if (iid == __uuidof(IOleWindow))
            *object = static_cast<IOleWindow*>(this);
        else
            return E_NOINTERFACE;
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
    ULONG STDMETHODCALLTYPE Release() override {
        const ULONG left = --references_;
        if (left == 0)
            delete this;
        return left;
    }

    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
        if (!IsSelf(child))
            return system_->get_accName(child, name);
        if (name == nullptr)
            return E_POINTER;
        *name = SysAllocString(name_);
        return *name != nullptr ? S_OK : E_OUTOFMEMORY;
    }

    // A late-bound client asking for the name gets ours too.
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID iid, LCID locale, WORD flags,
                                     DISPPARAMS* parameters, VARIANT* result, EXCEPINFO* exception,
                                     UINT* argument) override {
        if (id != DISPID_ACC_NAME || (flags & DISPATCH_PROPERTYGET) == 0 || parameters == nullptr ||
            parameters->cArgs > 1 || (parameters->cArgs == 1 && !IsSelf(parameters->rgvarg[0])))
            return system_->Invoke(id, iid, locale, flags, parameters, result, exception, argument);
        if (result == nullptr)
            return E_POINTER;
        const BSTR name = SysAllocString(name_);
        if (name == nullptr)
            return E_OUTOFMEMORY;
        VariantInit(result);
        result->vt = VT_BSTR;
        result->bstrVal = name;
        return S_OK;
    }

    HRESULT STDMETHODCALLTYPE GetWindow(HWND* window) override {
        if (window == nullptr)
            return E_POINTER;
        *window = control_;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }

    // clang-format off
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override { return system_->GetTypeInfoCount(count); }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) override { return system_->GetTypeInfo(index, locale, info); }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID locale, DISPID* ids) override { return system_->GetIDsOfNames(iid, names, count, locale, ids); }
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

    HWND control_;
    IAccessible* system_;
    const wchar_t* name_;
    std::atomic<ULONG> references_{1};
};

// The named object for LresultFromObject; 0 (the system's own answer) when
// oleacc is absent or fails.
LRESULT AnswerGetObject(HWND control, WPARAM flags, const ScreenReaderNames::Named& named) {
    const SystemFunctions& system = *named.system;
    IAccessible* standard = nullptr;
    if (system.createStdAccessibleObject == nullptr || system.lresultFromObject == nullptr ||
        FAILED(system.createStdAccessibleObject(control, OBJID_CLIENT, __uuidof(IAccessible),
                                                reinterpret_cast<void**>(&standard))))
        return 0;
    // COM owns the object through its reference count; LresultFromObject holds
    // a reference of its own until the screen reader takes the object.
    auto* const object = new (std::nothrow) NamedAccessible(control, standard, named.name);
    if (object == nullptr) {
        standard->Release();
        return 0;
    }
    const LRESULT result =
        system.lresultFromObject(__uuidof(IAccessible), flags, static_cast<IAccessible*>(object));
    object->Release();
    // A failure comes as a negative error, which the client would take for its answer.
    return result > 0 ? result : 0;
}

LRESULT CALLBACK NamedControlProcedure(HWND control, UINT message, WPARAM wParam, LPARAM lParam,
                                       UINT_PTR subclass, DWORD_PTR data) {
    const auto& named = *reinterpret_cast<const ScreenReaderNames::Named*>(data);
    // This runs inside a screen reader's request: no exception may leave it
    // through Windows' code, and a failure leaves the system's answer.
    try {
        if (message == WM_GETOBJECT && static_cast<LONG>(lParam) == OBJID_CLIENT &&
            !named.annotated) {
            if (const LRESULT answer = AnswerGetObject(control, wParam, named))
                return answer;
        } else if (message == WM_NCDESTROY) {
            if (named.annotated && named.system->clearAnnotatedName != nullptr)
                named.system->clearAnnotatedName(control);
            RemoveWindowSubclass(control, NamedControlProcedure, subclass);
        }
    } catch (...) {
    }
    return DefSubclassProc(control, message, wParam, lParam);
}

} // namespace

void ScreenReaderNames::Name(HWND control, const wchar_t* name) {
    const bool annotated =
        system_.annotateName != nullptr && system_.annotateName(control, name) == S_OK;
    named_.push_back(std::make_unique<Named>(Named{&system_, name, annotated}));
    // Subclassed either way: an annotation is cleared when its control goes.
    SetWindowSubclass(control, NamedControlProcedure, 0,
                      reinterpret_cast<DWORD_PTR>(named_.back().get()));
}

ComApartment::ComApartment()
    : initialised_(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}

ComApartment::~ComApartment() {
    if (initialised_)
        CoUninitialize();
}

} // namespace velmora
