#include "tests/ui/test_data_object.h"

#include <shlobj.h>

#include <cstring>

namespace zq {
namespace {

// Drops as soon as the drag has passed over the window a few times.
class DropAtOnce : public IDropSource {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDropSource)) {
      *object = static_cast<IDropSource*>(this);
      return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
  }
  // Lives on the caller's stack.
  ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
  ULONG STDMETHODCALLTYPE Release() override { return 1; }
  HRESULT STDMETHODCALLTYPE QueryContinueDrag(BOOL, DWORD) override {
    return ++asked_ < 3 ? S_OK : DRAGDROP_S_DROP;
  }
  HRESULT STDMETHODCALLTYPE GiveFeedback(DWORD) override { return DRAGDROP_S_USEDEFAULTCURSORS; }

 private:
  int asked_ = 0;
};

}  // namespace

std::string DropFilesWithList(const std::string& list, bool wide) {
  DROPFILES header = {};
  header.pFiles = sizeof header;
  header.fWide = wide;
  return std::string(reinterpret_cast<const char*>(&header), sizeof header) + list;
}

std::string DropFilesOf(const std::vector<std::string>& paths) {
  std::string list;
  for (const std::string& path : paths) list += path + '\0';
  if (paths.empty()) list += '\0';
  return DropFilesWithList(list + '\0');
}

HRESULT TestDataObject::QueryInterface(REFIID iid, void** object) {
  if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDataObject)) {
    *object = static_cast<IDataObject*>(this);
    AddRef();
    return S_OK;
  }
  *object = nullptr;
  return E_NOINTERFACE;
}

HRESULT TestDataObject::GetData(FORMATETC* format, STGMEDIUM* medium) {
  if (QueryGetData(format) != S_OK) return DV_E_FORMATETC;
  const std::string& bytes = offered_[format->cfFormat];
  HGLOBAL global = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
  if (global == nullptr) return E_OUTOFMEMORY;
  std::memcpy(GlobalLock(global), bytes.data(), bytes.size());
  GlobalUnlock(global);
  medium->tymed = TYMED_HGLOBAL;
  medium->hGlobal = global;
  medium->pUnkForRelease = nullptr;
  ++media_given;
  return S_OK;
}

HRESULT TestDataObject::QueryGetData(FORMATETC* format) {
  if (offered_.count(format->cfFormat) == 0) return DV_E_FORMATETC;
  if (format->ptd != nullptr || format->dwAspect != DVASPECT_CONTENT || format->lindex != -1 ||
      (format->tymed & TYMED_HGLOBAL) == 0)
    return DV_E_FORMATETC;
  return S_OK;
}

void DropFiles(HWND target, const std::vector<std::string>& paths) {
  RECT rect;
  GetWindowRect(target, &rect);
  SetCursorPos((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
  TestDataObject data;
  data.Offer(CF_HDROP, DropFilesOf(paths));
  DropAtOnce source;
  DWORD effect = DROPEFFECT_NONE;
  DoDragDrop(&data, &source, DROPEFFECT_COPY, &effect);
}

}  // namespace zq
