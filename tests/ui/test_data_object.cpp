#include "tests/ui/test_data_object.h"

#include <shlobj.h>

#include <cstring>

namespace zq {

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

}  // namespace zq
