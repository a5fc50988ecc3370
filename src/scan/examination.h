// The examination of one item: the change handler of the path field Text1.
//
// During a clean run every selected folder and file passes through here: it
// gets the attributes the user ticked, a root AUTORUN.INF file becomes a
// folder, and the detection rules list suspicious files through AddFinding
// into the results window. Outside a run a change of Text1 only shows the
// language box's cover and empties the hand-off label.
#pragma once

#include "shell/frm_main.h"

namespace scan {

using core::Text;

// The attribute value of the four attribute boxes; 32 (archive only, which
// clears read-only, hidden and system) when none is ticked.
uint32_t ChosenAttributes(const shell::FrmMain& frm);

class Examination {
 public:
  // `recoverHiddenRoot` moves a root folder named by a no-break space.
  Examination(shell::FrmMain& frm, std::function<void(const Text&)> recoverHiddenRoot);

  void examine();
  void AddFinding(const Text& path);
  void fixSingleItem();

 private:
  // The detection rules for an examined item; false when a rule ends the
  // item's classification early (the rest of the rules are skipped).
  bool applyRules(const Text& P, const Text& N, const Text& E, const Text& U, const Text& H);
  void longRunRule(const Text& P, const Text& N, const Text& E, const Text& U);
  void closingSteps(const Text& P);
  void countFinding(int row, const Text& name);

  shell::FrmMain& frm_;
  platform::Platform& platform_;
  std::function<void(const Text&)> recoverHiddenRoot_;
};

}  // namespace scan
