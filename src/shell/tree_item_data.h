// What the tree knows about one of its folders: where it is in the namespace
// and its name inside its parent. The record owns both lists; they go when
// the tree item is deleted and the tree drops its record.
#pragma once

#include "shell/pidl.h"

namespace tessaro::shell {

class cTreeItemData {
 public:
  cTreeItemData(AbsolutePidl fq, ChildPidl rel) : pidlFQ_(std::move(fq)), pidlRel_(std::move(rel)) {}

  PCIDLIST_ABSOLUTE pidlFQ() const { return pidlFQ_.get(); }
  PCUITEMID_CHILD pidlRel() const { return pidlRel_.get(); }

 private:
  AbsolutePidl pidlFQ_;
  ChildPidl pidlRel_;
};

}  // namespace tessaro::shell
