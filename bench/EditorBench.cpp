// Editing the sample's region list (200 regions, painted, with an
// outline) as the desktop application does it:
//  * one step of a drag: the selection frame of a selected region follows
//    the mouse by a pixel and the layered image is composed again (goal:
//    16 ms, one frame);
//  * taking back a cut of all 200 regions: the editor's Undo,
//    which appends the regions again, and the edit history's undo, which
//    puts them back at their places; either with the views made anew and
//    the layered image composed again (goal: 50 ms).

#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "SampleRegions.h"
#include "regions/EditFlows.h"
#include "regions/RegionView.h"
#include "regions/RegionsListView.h"
#include "views/Editorj.h"
#include "views/HandleFrame.h"
#include "views/Manipulators.h"

namespace {

class Container : public ListComponentView {
 public:
  void Update_Appearance(Pane* /*pane*/) override {}
};

// The sample's regions, painted, in a region window of their own.
class EditingBench {
 public:
  static constexpr int32_t kRegions = 200;

  EditingBench() : m_flows(m_sample.App().Edit_Context()) {
    if (!m_sample.Ready()) {
      m_error = m_sample.Error();
      return;
    }
    RegionEditorApp& app = m_sample.App();
    RegionListSubject& list = app.Get_RegionList();
    if (!list.Restore_from_UndoList(m_error)) return;
    // The sample gives somewhat fewer: copies of the first ones make 200.
    for (int32_t i = 0; list.Get_Region_Count() < kRegions; ++i) {
      std::unique_ptr<ComponentSubject> copy = list.Child_At(i)->Clone();
      if (copy == nullptr || !list.Add_ChildSubject(copy.get(), m_error)) return;
      copy.release();
    }
    RegionRandom random(11);
    if (!app.Get_RegionList().Paint_All_Regions_with_TextureMaps(0, 0, random, m_error)) return;
    auto pane = std::make_unique<RegionsListView>(app.Get_Platform().Messages());
    m_pane = pane.get();
    m_pane->Get_Graphic().Set_Position(10, 10);
    m_pane->Get_Graphic().Set_Size(400, 300);
    app.Get_RegionList().Attach_ComponentView(m_pane);
    m_container.Add_Child_ComponentView(pane.release());
    m_ready = Make_Views();
  }
  ~EditingBench() { m_sample.App().Get_History().Forget_Steps(); }

  bool Ready() const { return m_ready; }
  const std::string& Error() const { return m_error; }
  RegionEditorApp& App() { return m_sample.App(); }
  EditFlows& Flows() { return m_flows; }
  RegionsListView& Pane() { return *m_pane; }

  // What the windows do when asked to make their views anew.
  bool Make_Views() {
    m_pane->Detach_All_Child_ComponentViews();
    m_pane->Get_Child_ComponentViews_List()->Delete_All();
    if (!m_pane->Create_Child_ComponentViews(m_pane, m_error)) return false;
    for (ListLink<ComponentView>* link = m_pane->Get_Child_ComponentViews_List()->Get_Head_Link();
         link != nullptr; link = link->Get_Next())
      link->Get_Object()->Update_Size(m_pane);
    return true;
  }

 private:
  bench_regions::SampleRegions m_sample;
  Container m_container;
  EditFlows m_flows;
  RegionsListView* m_pane = nullptr;
  std::string m_error;
  bool m_ready = false;
};

EditingBench& Editing() {
  static EditingBench bench;
  return bench;
}

void BM_Drag_Step_with_Layered_Recompose(benchmark::State& state) {
  EditingBench& bench = Editing();
  if (!bench.Ready()) {
    state.SkipWithError(bench.Error().c_str());
    return;
  }
  RegionEditorApp& app = bench.App();
  app.Get_Editor().Get_SelectBoard().Deselect_All();
  ComponentView* view = bench.Pane().Get_Child_ComponentViews_List()->Get_Nth(0);
  std::unique_ptr<Manipulatorj> none;
  std::string err;
  if (!app.Get_Editor().Select_ComponentView(view, Eventj(), none, &bench.Pane(), err)) {
    state.SkipWithError(err.c_str());
    return;
  }
  const PointShrt start = view->Get_HandleFrame()->Get_Handles().Get_First()->Get_Center();
  std::unique_ptr<Manipulatorj> drag = view->Create_Manipulator(
      [&] {
        Eventj e;
        e.point = start;
        return e;
      }(),
      app.Get_Editor());
  if (drag == nullptr) {
    state.SkipWithError("no drag started on the move handle");
    return;
  }
  Eventj event;
  event.point = start;
  int16_t step = 1;
  for (auto _ : state) {
    event.point.x = static_cast<int16_t>(event.point.x + step);
    step = static_cast<int16_t>(-step);
    drag->Manipulate(event);
    if (!app.Get_Composer().ReDraw_SummedFinalViews_OffMap()) {
      state.SkipWithError("the layered image could not be composed");
      return;
    }
    benchmark::DoNotOptimize(app.Get_RenderMan().Get_Layered_Map()->Get_Bits());
  }
  app.Recorded_Windows().Clear();
  app.Get_Editor().Get_SelectBoard().Deselect_All();
  state.counters["regions"] = app.Get_RegionList().Get_Region_Count();
}
BENCHMARK(BM_Drag_Step_with_Layered_Recompose)->Unit(benchmark::kMillisecond);

// Cuts every region (untimed), then takes the cut back by `undo`.
template <class Undo>
void Undo_Cut_of_All(benchmark::State& state, Undo undo) {
  EditingBench& bench = Editing();
  if (!bench.Ready()) {
    state.SkipWithError(bench.Error().c_str());
    return;
  }
  RegionEditorApp& app = bench.App();
  std::string err;
  int32_t cut = 0;
  for (auto _ : state) {
    state.PauseTiming();
    if (!bench.Make_Views() || !bench.Flows().Select_All(&bench.Pane(), Eventj(), err) ||
        !bench.Flows().Cut(err)) {
      state.SkipWithError(err.c_str());
      return;
    }
    cut = app.Get_Editor().Get_SelectBoard().Get_Copy_Board().Get_Count();
    app.Recorded_Windows().Clear();
    state.ResumeTiming();
    if (!undo(bench, err)) {
      state.SkipWithError(err.c_str());
      return;
    }
    // The windows' part of taking it back: fresh views for the regions.
    if (!bench.Make_Views()) {
      state.SkipWithError(bench.Error().c_str());
      return;
    }
  }
  app.Get_History().Forget_Steps();
  state.counters["regions"] = cut;
}

void BM_Editor_Undo_of_Cut_of_All_Regions(benchmark::State& state) {
  Undo_Cut_of_All(state, [](EditingBench& bench, std::string& err) { return bench.Flows().Undo(err); });
}
BENCHMARK(BM_Editor_Undo_of_Cut_of_All_Regions)->Unit(benchmark::kMillisecond);

void BM_History_Undo_of_Cut_of_All_Regions(benchmark::State& state) {
  Undo_Cut_of_All(state,
                  [](EditingBench& bench, std::string& err) { return bench.App().Get_History().Undo(err); });
}
BENCHMARK(BM_History_Undo_of_Cut_of_All_Regions)->Unit(benchmark::kMillisecond);

}  // namespace
