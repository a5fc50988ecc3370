// CPU cost of one tick of the drive poll when no drive came, went or changed.
#include <benchmark/benchmark.h>

#include "app/norvane.h"
#include "browse/browse.h"
#include "support/world.h"

namespace {

void BM_DrivePollNoChange(benchmark::State& state) {
  test::World w;
  using platform::DriveType;
  w.machine.addDrive(u'A', DriveType::Removable);
  w.machine.setMedia(u'A', false);
  w.machine.addDrive(u'C', DriveType::Fixed, u"SYSTEM", 500'107'862'016ULL);
  w.machine.addFolder(u"C:\\Norvane");
  w.machine.addDrive(u'D', DriveType::CdRom);
  w.machine.setMedia(u'D', false);
  w.machine.addDrive(u'E', DriveType::Fixed, u"DATA", 2'000'398'934'016ULL);
  w.machine.addDrive(u'G', DriveType::Removable, u"STICK", 16'000'000'000ULL);
  w.machine.addDrive(u'Z', DriveType::Remote);
  w.machine.setShare(u'Z', u"\\\\server\\share");
  app::Norvane norvane(w.app);
  auto& frm = norvane.showMain();
  int choices = 0;
  frm.List2.click += [&] { ++choices; };
  const core::Text signature = frm.Text2.text();

  for (auto _ : state) norvane.browse().poll();

  // The measured ticks must have taken the no-change path.
  if (choices != 0 || frm.Text2.text() != signature || frm.ListView1.rowCount() != 6)
    state.SkipWithError("a poll tick rebuilt the drive table");
}
BENCHMARK(BM_DrivePollNoChange);

}  // namespace

BENCHMARK_MAIN();
