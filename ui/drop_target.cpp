#include "ui/drop_target.h"

#include <shellapi.h>
#include <shlobj.h>

#include <vector>

namespace zq {
namespace {

// Content of one format of the dragged data, released when it goes out of scope.
class Medium {
 public:
  Medium() { medium_.tymed = TYMED_NULL; }
  ~Medium() {
    if (medium_.tymed != TYMED_NULL) ReleaseStgMedium(&medium_);
  }
  Medium(const Medium&) = delete;
  Medium& operator=(const Medium&) = delete;

  // False when the source does not give the format as global memory.
  bool Get(IDataObject* data, CLIPFORMAT format) {
    FORMATETC wanted = FormatOf(format);
    if (data->GetData(&wanted, &medium_) != S_OK) {
      medium_.tymed = TYMED_NULL;
      return false;
    }
    return medium_.tymed == TYMED_HGLOBAL && medium_.hGlobal != nullptr;
  }
  HGLOBAL Global() const { return medium_.hGlobal; }

  static FORMATETC FormatOf(CLIPFORMAT format) {
    FORMATETC wanted = {format, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
    return wanted;
  }

 private:
  STGMEDIUM medium_;
};

bool Offers(IDataObject* data, CLIPFORMAT format) {
  FORMATETC wanted = Medium::FormatOf(format);
  return data->QueryGetData(&wanted) == S_OK;
}

// The bytes of a global block up to its first NUL; the block's size bounds the scan when
// the source left out the NUL.
Text TextOfGlobal(HGLOBAL global) {
  const void* bytes = GlobalLock(global);
  if (bytes == nullptr) return Text();
  const SIZE_T size = GlobalSize(global);
  Text text = TextFromBytes(static_cast<const char*>(bytes),
                            static_cast<std::int32_t>(size > 0x7FFFFFFF ? 0x7FFFFFFF : size));
  GlobalUnlock(global);
  return text;
}

// The file list comes from another program: the system's DragQueryFileA reads it up to its
// closing empty name, so a list that lacks one within its block is not read at all.
bool IsWellFormedDrop(HGLOBAL global) {
  const SIZE_T size = GlobalSize(global);
  const char* bytes = static_cast<const char*>(GlobalLock(global));
  if (bytes == nullptr) return false;
  bool closed = false;
  const DROPFILES* header = reinterpret_cast<const DROPFILES*>(bytes);
  if (size >= sizeof(DROPFILES) && header->pFiles >= sizeof(DROPFILES) && header->pFiles < size) {
    const SIZE_T step = header->fWide ? 2 : 1;
    // Two NUL characters in a row, also for an empty list: the system skips a first name
    // before it looks for the end.
    SIZE_T zeros = 0;
    for (SIZE_T at = header->pFiles; at + step <= size && !closed; at += step) {
      const bool zero = bytes[at] == 0 && (step == 1 || bytes[at + 1] == 0);
      zeros = zero ? zeros + 1 : 0;
      closed = zeros == 2;
    }
  }
  GlobalUnlock(global);
  return closed;
}

// One path alone; several, each followed by CR LF.
Text PathsOfDrop(HDROP drop) {
  const UINT count = DragQueryFileA(drop, 0xFFFFFFFF, nullptr, 0);
  TextBuilder paths;
  for (UINT i = 0; i < count; ++i) {
    const UINT length = DragQueryFileA(drop, i, nullptr, 0);
    std::vector<char> path(length + 1);
    DragQueryFileA(drop, i, path.data(), length + 1);
    paths.Append(Text(path.data()));
    if (count > 1) paths.Append("\r\n", 2);
  }
  return paths.Take();
}

// Ctrl and Shift together ask for a link, Ctrl alone for a copy, Shift alone for a move;
// with neither the first of copy, move and link that the source allows.
DWORD EffectFor(bool accepting, DWORD keys, DWORD allowed) {
  if (!accepting) return DROPEFFECT_NONE;
  const bool control = (keys & MK_CONTROL) != 0;
  const bool shift = (keys & MK_SHIFT) != 0;
  if (control && shift) return DROPEFFECT_NONE;
  if (control) return (allowed & DROPEFFECT_COPY) ? DROPEFFECT_COPY : DROPEFFECT_NONE;
  if (shift) return (allowed & DROPEFFECT_MOVE) ? DROPEFFECT_MOVE : DROPEFFECT_NONE;
  if (allowed & DROPEFFECT_COPY) return DROPEFFECT_COPY;
  if (allowed & DROPEFFECT_MOVE) return DROPEFFECT_MOVE;
  if (allowed & DROPEFFECT_LINK) return DROPEFFECT_LINK;
  return DROPEFFECT_NONE;
}

void Raise(const std::function<void(const Text&)>& event, const Text& text) {
  if (event) event(text);
}

}  // namespace

class DropTarget::Object final : public IDropTarget {
 public:
  explicit Object(DropEvents events)
      : events_(std::move(events)),
        url_format_(static_cast<CLIPFORMAT>(RegisterClipboardFormatA("UniformResourceLocator"))),
        html_format_(static_cast<CLIPFORMAT>(RegisterClipboardFormatA("HTML Format"))) {}

  bool Register(HWND window) {
    if (has_window_) return false;
    has_window_ = true;
    window_ = window;
    registered_ = RegisterDragDrop(window, this) == S_OK;
    return registered_;
  }

  void Revoke() {
    if (!registered_) return;
    registered_ = false;
    RevokeDragDrop(window_);
  }

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    if (object == nullptr) return E_POINTER;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDropTarget)) {
      *object = static_cast<IDropTarget*>(this);
      AddRef();
      return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
  }

  ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }

  ULONG STDMETHODCALLTYPE Release() override {
    const ULONG left = --references_;
    if (left == 0) delete this;
    return left;
  }

  HRESULT STDMETHODCALLTYPE DragEnter(IDataObject* data, DWORD keys, POINTL,
                                      DWORD* effect) override {
    accepting_ = data != nullptr && (Offers(data, CF_TEXT) || Offers(data, CF_HDROP) ||
                                     Offers(data, url_format_) || Offers(data, html_format_));
    if (effect != nullptr) *effect = EffectFor(accepting_, keys, *effect);
    return S_OK;
  }

  HRESULT STDMETHODCALLTYPE DragOver(DWORD keys, POINTL, DWORD* effect) override {
    if (effect != nullptr) *effect = EffectFor(accepting_, keys, *effect);
    return S_OK;
  }

  HRESULT STDMETHODCALLTYPE DragLeave() override {
    accepting_ = false;
    return S_OK;
  }

  // Always E_FAIL, also after a delivery: the source is never told that it may delete
  // what it dragged.
  HRESULT STDMETHODCALLTYPE Drop(IDataObject* data, DWORD keys, POINTL,
                                 DWORD* effect) override {
    const DWORD chosen = EffectFor(accepting_, keys, effect == nullptr ? 0 : *effect);
    if (effect != nullptr) *effect = chosen;
    if (chosen == DROPEFFECT_NONE || data == nullptr) return E_FAIL;
    // A handler may end the registration; the object lives until the delivery is over.
    AddRef();
    Deliver(data);
    Release();
    return E_FAIL;
  }

 private:
  ~Object() = default;

  void Deliver(IDataObject* data) {
    if (!Offers(data, html_format_)) DeliverText(data, CF_TEXT, events_.got_text);
    DeliverText(data, html_format_, events_.got_html);
    DeliverText(data, url_format_, events_.got_url);
    Medium files;
    if (files.Get(data, CF_HDROP) && IsWellFormedDrop(files.Global())) {
      Raise(events_.got_files, PathsOfDrop(static_cast<HDROP>(files.Global())));
    }
  }

  static void DeliverText(IDataObject* data, CLIPFORMAT format,
                          const std::function<void(const Text&)>& event) {
    Medium medium;
    if (medium.Get(data, format)) Raise(event, TextOfGlobal(medium.Global()));
  }

  DropEvents events_;
  const CLIPFORMAT url_format_;
  const CLIPFORMAT html_format_;
  ULONG references_ = 1;  // the component's own
  bool has_window_ = false;
  bool registered_ = false;
  HWND window_ = nullptr;
  bool accepting_ = false;
};

DropTarget::DropTarget(std::function<void(const Text&)> got_files)
    : DropTarget(DropEvents{nullptr, nullptr, nullptr, std::move(got_files)}) {}

DropTarget::DropTarget(DropEvents events) : object_(new Object(std::move(events))) {}

DropTarget::~DropTarget() {
  object_->Revoke();
  object_->Release();
}

bool DropTarget::RegisterTarget(NativeWindow window) {
  return object_->Register(static_cast<HWND>(window));
}

void DropTarget::Revoke() { object_->Revoke(); }

IDropTarget* DropTarget::Interface() { return object_; }

}  // namespace zq
