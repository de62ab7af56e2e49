// A drag source for the tests: its data offers the chosen clipboard formats as global memory
// and counts its references and the media it handed out; DropFiles drags files from the
// test's own process onto a window, as another program would.
#pragma once

#include <windows.h>
#include <ole2.h>

#include <map>
#include <string>
#include <vector>

namespace zq {

// CF_HDROP content: a DROPFILES header, then `list` (ANSI, or UTF-16 when `wide`).
std::string DropFilesWithList(const std::string& list, bool wide = false);
// The ANSI paths, each ended by NUL, and the closing NUL (two for no path).
std::string DropFilesOf(const std::vector<std::string>& paths);

class TestDataObject : public IDataObject {
 public:
  void Offer(CLIPFORMAT format, const std::string& bytes) { offered_[format] = bytes; }

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
  ULONG STDMETHODCALLTYPE AddRef() override { return ++references; }
  // Lives on the test's stack: the count is only watched.
  ULONG STDMETHODCALLTYPE Release() override { return --references; }

  HRESULT STDMETHODCALLTYPE GetData(FORMATETC* format, STGMEDIUM* medium) override;
  HRESULT STDMETHODCALLTYPE GetDataHere(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE QueryGetData(FORMATETC* format) override;
  HRESULT STDMETHODCALLTYPE GetCanonicalFormatEtc(FORMATETC*, FORMATETC*) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE EnumFormatEtc(DWORD, IEnumFORMATETC**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE DUnadvise(DWORD) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE EnumDAdvise(IEnumSTATDATA**) override { return E_NOTIMPL; }

  ULONG references = 1;
  int media_given = 0;

 private:
  std::map<CLIPFORMAT, std::string> offered_;
};

// OLE for the calling thread, for the life of the object. OLE gives the thread a window, so
// a thread that joins another desktop does so first.
class OleSession {
 public:
  OleSession() { OleInitialize(nullptr); }
  ~OleSession() { OleUninitialize(); }
  OleSession(const OleSession&) = delete;
  OleSession& operator=(const OleSession&) = delete;
};

// Drags `paths` from this process and drops them over the middle of `target`; returns when
// the target's Drop has returned. Needs an OleSession on the calling thread.
void DropFiles(HWND target, const std::vector<std::string>& paths);

}  // namespace zq
