#include "vavuduzuv/late_binding.h"

#include <objbase.h>
#include <oleauto.h>

namespace {

// Clears a VARIANT whatever it holds, so no result can leak a reference or a string.
class Variant {
public:
    Variant() { VariantInit(&value_); }
    ~Variant() { VariantClear(&value_); }
    Variant(const Variant&) = delete;
    Variant& operator=(const Variant&) = delete;
    VARIANT* Get() { return &value_; }

private:
    VARIANT value_;
};

HRESULT Invoke(IDispatch* object, const wchar_t* name, WORD kind, VARIANT* arguments, UINT argumentCount,
               VARIANT* result) {
    if (object == nullptr) return E_POINTER;
    LPOLESTR memberName = const_cast<LPOLESTR>(name);
    DISPID member = DISPID_UNKNOWN;
    HRESULT hr = object->GetIDsOfNames(IID_NULL, &memberName, 1, LOCALE_USER_DEFAULT, &member);
    if (FAILED(hr)) return hr;
    DISPPARAMS parameters = {arguments, nullptr, argumentCount, 0};
    EXCEPINFO exception = {};
    UINT badArgument = 0;
    hr = object->Invoke(member, IID_NULL, LOCALE_USER_DEFAULT, kind, &parameters, result, &exception, &badArgument);
    // The server allocates these strings for the caller to free.
    SysFreeString(exception.bstrSource);
    SysFreeString(exception.bstrDescription);
    SysFreeString(exception.bstrHelpFile);
    if (hr == DISP_E_EXCEPTION && exception.scode != 0) return exception.scode;
    return hr;
}

// Takes the object out of a result that holds one.
HRESULT TakeObject(VARIANT* result, DispatchRef& value) {
    if (V_VT(result) != VT_DISPATCH || V_DISPATCH(result) == nullptr) return DISP_E_TYPEMISMATCH;
    value.Reset(V_DISPATCH(result));
    V_VT(result) = VT_EMPTY;
    return S_OK;
}

}  // namespace

ComApartment::ComApartment() : ready_(SUCCEEDED(CoInitializeEx(nullptr, COINIT_MULTITHREADED))) {}

ComApartment::~ComApartment() {
    if (ready_) CoUninitialize();
}

void DispatchRef::Reset(IDispatch* owned) {
    if (object_ != nullptr) object_->Release();
    object_ = owned;
}

HRESULT GetObjectProperty(IDispatch* object, const wchar_t* name, DispatchRef& value) {
    Variant result;
    const HRESULT hr = Invoke(object, name, DISPATCH_PROPERTYGET, nullptr, 0, result.Get());
    return FAILED(hr) ? hr : TakeObject(result.Get(), value);
}

HRESULT GetBoolProperty(IDispatch* object, const wchar_t* name, bool& value) {
    Variant result;
    HRESULT hr = Invoke(object, name, DISPATCH_PROPERTYGET, nullptr, 0, result.Get());
    if (SUCCEEDED(hr)) hr = VariantChangeType(result.Get(), result.Get(), 0, VT_BOOL);
    if (SUCCEEDED(hr)) value = V_BOOL(result.Get()) != VARIANT_FALSE;
    return hr;
}

HRESULT CallWithString(IDispatch* object, const wchar_t* name, const std::wstring& argument, DispatchRef& returned) {
    Variant text;
    V_VT(text.Get()) = VT_BSTR;
    V_BSTR(text.Get()) = SysAllocStringLen(argument.data(), static_cast<UINT>(argument.size()));
    if (V_BSTR(text.Get()) == nullptr) return E_OUTOFMEMORY;
    Variant result;
    const HRESULT hr = Invoke(object, name, DISPATCH_METHOD, text.Get(), 1, result.Get());
    if (FAILED(hr)) return hr;
    returned.Reset();
    if (V_VT(result.Get()) == VT_DISPATCH) TakeObject(result.Get(), returned);
    return S_OK;
}
