// The window's OLE drop target: accepts dragged text, HTML, URLs and files, and raises one
// event per kind of data on a drop. Only got files has a handler in the program.
#pragma once

#include <windows.h>
#include <ole2.h>

#include <functional>

#include "core/form.h"
#include "core/text.h"

namespace zq {

// An unbound event does nothing and the drop goes on with the next kind.
struct DropEvents {
  std::function<void(const Text&)> got_text;
  std::function<void(const Text&)> got_html;
  std::function<void(const Text&)> got_url;
  // One path alone, or every path followed by CR LF when several were dropped.
  std::function<void(const Text&)> got_files;
};

class DropTarget : public NamesDropTarget {
 public:
  explicit DropTarget(std::function<void(const Text&)> got_files);
  explicit DropTarget(DropEvents events);
  // Revokes the registration and drops the component's own reference.
  ~DropTarget() override;
  DropTarget(const DropTarget&) = delete;
  DropTarget& operator=(const DropTarget&) = delete;

  // Once only: a second call returns false. The window stays recorded even when
  // RegisterDragDrop fails, so a failed registration is not retried.
  bool RegisterTarget(NativeWindow window) override;
  // Ends the registration; the window calls it when it is destroyed. Safe to call again.
  void Revoke();

  // The OLE object OLE calls on a drag.
  IDropTarget* Interface();

 private:
  class Object;
  Object* object_;  // holds one reference of its own, dropped by the destructor
};

}  // namespace zq
