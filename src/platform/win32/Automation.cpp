#include "platform/Automation.h"

#include <windows.h>
#include <objbase.h>
#include <oleauto.h>

#include <cstring>
#include <string>
#include <vector>

#include "rtl/CodePage.h"
#include "rtl/VariantArrays.h"

namespace platform {

namespace {

// The IDispatch interface identifier, spelled out so that no GUID library has to be linked.
const IID kDispatchIid = {0x00020400, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};

// The system's message for a result code, without the line end it carries.
std::string MessageText(HRESULT code) {
  wchar_t* buffer = nullptr;
  const DWORD n = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                     FORMAT_MESSAGE_IGNORE_INSERTS,
                                 nullptr, static_cast<DWORD>(code), 0, reinterpret_cast<wchar_t*>(&buffer), 0,
                                 nullptr);
  std::u16string text;
  if (n && buffer) text.assign(reinterpret_cast<const char16_t*>(buffer), n);
  if (buffer) LocalFree(buffer);
  while (!text.empty() && (text.back() == u'\r' || text.back() == u'\n' || text.back() == u' ')) text.pop_back();
  return rtl::WideToAnsi(text).str();
}

// Automation needs COM on the thread. The host's thread may not have it; we start it
// once per thread and leave it running, since the objects made here outlive the call.
void EnsureCom() {
  thread_local bool started = false;
  if (started) return;
  started = true;
  // S_FALSE (already started) and RPC_E_CHANGED_MODE (started multi-threaded) both
  // leave COM usable.
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
}

}  // namespace

rtl::UnknownInterface* CreateAutomationObject(std::u16string_view progId, AutomationError& error) {
  EnsureCom();
  const std::wstring id(progId.begin(), progId.end());
  CLSID clsid;
  HRESULT hr = CLSIDFromProgID(id.c_str(), &clsid);
  IDispatch* dispatch = nullptr;
  if (SUCCEEDED(hr))
    hr = CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER, kDispatchIid,
                          reinterpret_cast<void**>(&dispatch));
  if (FAILED(hr) || !dispatch) {
    error.Code = static_cast<std::int32_t>(hr);
    error.Text = MessageText(hr);
    return nullptr;
  }
  // IDispatch begins with the IUnknown slots the variant needs.
  return reinterpret_cast<rtl::UnknownInterface*>(dispatch);
}

namespace {

const IID kNullIid = {0, 0, 0, {0, 0, 0, 0, 0, 0, 0, 0}};

void Fail(AutomationError& error, HRESULT hr) {
  error.Code = static_cast<std::int32_t>(hr);
  error.Text = MessageText(hr);
}

std::string FromBstr(BSTR s) { return s ? rtl::WideToAnsi(std::u16string_view(reinterpret_cast<const char16_t*>(s), SysStringLen(s))).str() : std::string(); }

// An owned VARIANT, cleared on every path.
struct OwnedVariant {
  VARIANT V;
  OwnedVariant() { VariantInit(&V); }
  ~OwnedVariant() { VariantClear(&V); }
  OwnedVariant(const OwnedVariant&) = delete;
  OwnedVariant& operator=(const OwnedVariant&) = delete;
};

// A script value as the dispatch interface takes it: 8-bit strings become wide ones,
// one-dimensional arrays become safe arrays of variants; the system's own kinds are
// copied as they are (type word and data sit where the VARIANT has them).
HRESULT ToOle(const rtl::Variant& value, VARIANT& out) {
  VariantInit(&out);
  const std::uint16_t t = value.VarType();
  if (t == rtl::varString) {
    const std::u16string wide = rtl::AnsiToWide(value.AsAnsiStringRaw().view());
    out.vt = VT_BSTR;
    out.bstrVal = SysAllocStringLen(reinterpret_cast<const OLECHAR*>(wide.data()), static_cast<UINT>(wide.size()));
    return out.bstrVal || wide.empty() ? S_OK : E_OUTOFMEMORY;
  }
  if (value.IsArray()) {
    const rtl::VarArray* raw = value.AsArrayRaw();
    if (!raw || raw->DimCount != 1) return DISP_E_TYPEMISMATCH;
    const ULONG n = raw->Bounds[0].ElementCount;
    SAFEARRAY* array = SafeArrayCreateVector(VT_VARIANT, raw->Bounds[0].LowBound, n);
    if (!array) return E_OUTOFMEMORY;
    VARIANT* data = nullptr;
    SafeArrayAccessData(array, reinterpret_cast<void**>(&data));
    HRESULT hr = S_OK;
    const auto* elements = static_cast<const rtl::Variant*>(raw->Data);
    for (ULONG i = 0; i < n && SUCCEEDED(hr); ++i) hr = ToOle(elements[i], data[i]);
    SafeArrayUnaccessData(array);
    if (FAILED(hr)) {
      SafeArrayDestroy(array);
      return hr;
    }
    out.vt = VT_ARRAY | VT_VARIANT;
    out.parray = array;
    return S_OK;
  }
  if (t > rtl::varInt64 || (t & VT_BYREF)) return DISP_E_TYPEMISMATCH;
  // A script value has the 32-bit VARIANT's 16 bytes; the 64-bit VARIANT is longer, so
  // the value is copied into a whole one before the system reads it.
  static_assert(sizeof(rtl::Variant) <= sizeof(VARIANT));
  VARIANT whole;
  VariantInit(&whole);
  std::memcpy(static_cast<void*>(&whole), &value, sizeof value);
  return VariantCopy(&out, &whole);
}

// A value the dispatch interface returned, taken over as a script value. Kinds the
// script values lack are converted to the nearest they have.
HRESULT FromOle(VARIANT& in, rtl::Variant& out) {
  if (in.vt & VT_BYREF) {
    VARIANT direct;
    VariantInit(&direct);
    const HRESULT hr = VariantCopyInd(&direct, &in);
    if (FAILED(hr)) return hr;
    VariantClear(&in);
    in = direct;
  }
  if (in.vt & VT_ARRAY) {
    SAFEARRAY* array = in.parray;
    if (!array || SafeArrayGetDim(array) != 1) return DISP_E_TYPEMISMATCH;
    LONG lo = 0, hi = -1;
    SafeArrayGetLBound(array, 1, &lo);
    SafeArrayGetUBound(array, 1, &hi);
    VARTYPE element = VT_EMPTY;
    SafeArrayGetVartype(array, &element);
    rtl::Variant result = rtl::VarArrayCreate({static_cast<std::int32_t>(lo), static_cast<std::int32_t>(hi)}, rtl::varVariant);
    auto* target = static_cast<rtl::Variant*>(result.AsArrayRaw()->Data);
    for (LONG i = lo; i <= hi; ++i) {
      OwnedVariant item;
      HRESULT hr;
      if (element == VT_VARIANT) {
        hr = SafeArrayGetElement(array, &i, &item.V);
      } else if (element == VT_DECIMAL) {
        hr = SafeArrayGetElement(array, &i, &item.V.decVal);  // fills the whole variant
        if (SUCCEEDED(hr)) item.V.vt = VT_DECIMAL;
      } else if (SafeArrayGetElemsize(array) <= sizeof item.V.llVal) {
        hr = SafeArrayGetElement(array, &i, &item.V.llVal);  // the element's bytes
        if (SUCCEEDED(hr)) item.V.vt = element;
      } else {
        hr = DISP_E_TYPEMISMATCH;  // records and other kinds a script value cannot hold
      }
      if (SUCCEEDED(hr)) hr = FromOle(item.V, target[i - lo]);
      if (FAILED(hr)) return hr;
    }
    VariantClear(&in);
    out = std::move(result);
    return S_OK;
  }
  switch (in.vt) {
    case VT_INT: case VT_UINT: case VT_UI8: case VT_DECIMAL: {
      const VARTYPE to = in.vt == VT_INT ? VT_I4 : in.vt == VT_UINT ? VT_UI4 : in.vt == VT_UI8 ? VT_I8 : VT_R8;
      HRESULT hr = VariantChangeType(&in, &in, 0, to);
      if (FAILED(hr)) hr = VariantChangeType(&in, &in, 0, VT_R8);
      if (FAILED(hr)) return hr;
      break;
    }
    default: break;
  }
  switch (in.vt) {
    case VT_EMPTY: out = rtl::Variant(); break;
    case VT_NULL: out = rtl::Variant::Null(); break;
    case VT_I2: out = rtl::Variant::FromSmallint(in.iVal); break;
    case VT_I4: out = rtl::Variant(static_cast<std::int32_t>(in.lVal)); break;
    case VT_R4: out = rtl::Variant::FromSingle(in.fltVal); break;
    case VT_R8: out = rtl::Variant(in.dblVal); break;
    case VT_CY: out = rtl::Variant::FromCurrency(in.cyVal.int64); break;
    case VT_DATE: out = rtl::Variant::FromDate(in.date); break;
    case VT_BSTR:
      out = rtl::Variant::AdoptOleStr(reinterpret_cast<rtl::sys::BStr>(in.bstrVal));
      in.vt = VT_EMPTY;  // the script value owns it now
      return S_OK;
    case VT_DISPATCH:
    case VT_UNKNOWN:
      out = rtl::Variant::FromInterface(reinterpret_cast<rtl::UnknownInterface*>(in.punkVal),
                                        in.vt == VT_DISPATCH ? rtl::varDispatch : rtl::varUnknown);
      break;
    case VT_ERROR: out = rtl::Variant::FromError(in.scode); break;
    case VT_BOOL: out = rtl::Variant(in.boolVal != VARIANT_FALSE); break;
    case VT_I1: out = rtl::Variant::FromShortInt(static_cast<std::int8_t>(in.cVal)); break;
    case VT_UI1: out = rtl::Variant::FromByte(in.bVal); break;
    case VT_UI2: out = rtl::Variant::FromWord(in.uiVal); break;
    case VT_UI4: out = rtl::Variant::FromLongWord(in.ulVal); break;
    case VT_I8: out = rtl::Variant(static_cast<std::int64_t>(in.llVal)); break;
    default: return DISP_E_TYPEMISMATCH;
  }
  VariantClear(&in);
  return S_OK;
}

}  // namespace

bool InvokeAutomation(rtl::UnknownInterface* object, std::u16string_view member, const rtl::Variant* args,
                      int count, AutomationCall call, rtl::Variant* result, AutomationError& error) {
  if (count < 0 || count > kMaxAutomationArgs) {
    Fail(error, DISP_E_BADPARAMCOUNT);
    return false;
  }
  IDispatch* dispatch = nullptr;
  HRESULT hr = object ? reinterpret_cast<IUnknown*>(object)->QueryInterface(kDispatchIid, reinterpret_cast<void**>(&dispatch))
                      : E_POINTER;
  if (FAILED(hr) || !dispatch) {
    Fail(error, FAILED(hr) ? hr : E_NOINTERFACE);
    return false;
  }
  struct Releaser {
    IDispatch* D;
    ~Releaser() { D->Release(); }
  } releaser{dispatch};

  std::wstring name(member.begin(), member.end());
  LPOLESTR names[1] = {name.data()};
  DISPID id = 0;
  const LCID locale = GetThreadLocale();
  hr = dispatch->GetIDsOfNames(kNullIid, names, 1, locale, &id);
  if (FAILED(hr)) {
    Fail(error, hr);
    return false;
  }

  // The dispatch interface takes the arguments last first.
  VARIANT block[kMaxAutomationArgs];
  int made = 0;
  struct BlockClearer {
    VARIANT* B;
    int& N;
    ~BlockClearer() {
      for (int i = 0; i < N; ++i) VariantClear(&B[i]);
    }
  } clearer{block, made};
  for (; made < count; ++made) {
    hr = ToOle(args[count - 1 - made], block[made]);
    if (FAILED(hr)) {
      Fail(error, hr);
      return false;
    }
  }

  DISPID putId = DISPID_PROPERTYPUT;
  DISPPARAMS params{};
  params.rgvarg = count ? block : nullptr;
  params.cArgs = static_cast<UINT>(count);
  WORD flags = DISPATCH_METHOD;
  const bool put = call == AutomationCall::PropertyPut || call == AutomationCall::PropertyPutRef;
  if (put) {
    params.rgdispidNamedArgs = &putId;
    params.cNamedArgs = 1;
    flags = call == AutomationCall::PropertyPut ? DISPATCH_PROPERTYPUT : DISPATCH_PROPERTYPUTREF;
  } else if (call == AutomationCall::MethodOrGet) {
    flags = DISPATCH_METHOD | DISPATCH_PROPERTYGET;
  }
  OwnedVariant answer;
  EXCEPINFO exception{};
  UINT argError = 0;
  hr = dispatch->Invoke(id, kNullIid, locale, flags, &params, put ? nullptr : &answer.V, &exception, &argError);
  if (FAILED(hr)) {
    if (hr == DISP_E_EXCEPTION && exception.pfnDeferredFillIn) exception.pfnDeferredFillIn(&exception);
    Fail(error, hr);
    error.Source = FromBstr(exception.bstrSource);
    error.Description = FromBstr(exception.bstrDescription);
    error.HelpFile = FromBstr(exception.bstrHelpFile);
    SysFreeString(exception.bstrSource);
    SysFreeString(exception.bstrDescription);
    SysFreeString(exception.bstrHelpFile);
    return false;
  }
  if (result) {
    hr = FromOle(answer.V, *result);
    if (FAILED(hr)) {
      Fail(error, hr);
      return false;
    }
  }
  return true;
}

}  // namespace platform
