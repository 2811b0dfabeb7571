#include "platform/Automation.h"

#include <windows.h>
#include <objbase.h>
#include <oleauto.h>

#include <string>

#include "rtl/CodePage.h"

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

}  // namespace platform
