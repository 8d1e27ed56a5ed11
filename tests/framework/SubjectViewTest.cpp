#include <gtest/gtest.h>

#include "ViewFixtures.h"
#include "platform/headless/Headless.h"

namespace {

// The names of the views in a list, head first.
std::vector<std::string> View_Names(const ListMemry<ComponentView>& list) {
  std::vector<std::string> names;
  for (const ComponentView* view : list) names.push_back(static_cast<const LoggingView*>(view)->Name());
  return names;
}

std::vector<std::string> Subject_Names(const ListMemry<ComponentSubject>& list) {
  std::vector<std::string> names;
  for (const ComponentSubject* child : list)
    names.push_back(static_cast<const LoggingSubject*>(child)->Name());
  return names;
}

// A list subject with children a, b, c and a list view of it with one view
// per child.
class SubjectViewTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* name : {"a", "b", "c"}) {
      auto* child = new LoggingSubject(name, &log);
      children.push_back(child);
      ASSERT_TRUE(list.Add_ChildSubject(child, err));
    }
    list.Attach_ComponentView(&pane);
  }
  void Make_Views() { ASSERT_TRUE(pane.Create_Child_ComponentViews(&pane, err)) << err; }
  ListMemry<ComponentView>& Child_Views() { return *pane.Get_Child_ComponentViews_List(); }
  ComponentView* Child_View(int32_t i) { return Child_Views().Get_Nth(i); }

  EventLog log;
  HeadlessMessages messages;
  std::string err;
  // Declared first so that it is destroyed last: views and subjects below
  // must unlink themselves from each other whatever the order.
  LoggingListSubject list{&log};
  LoggingListView pane{"pane", &log};
  std::vector<LoggingSubject*> children;
};

TEST_F(SubjectViewTest, ChildrenKnowTheirParentAndTheListIsNoLeaf) {
  EXPECT_EQ(Subject_Names(list.Get_Children_List()), (std::vector<std::string>{"a", "b", "c"}));
  for (LoggingSubject* child : children) {
    EXPECT_EQ(child->Get_Parent_ScalepitchList(err), &list);
    EXPECT_EQ(err, "");
    EXPECT_TRUE(child->Is_Leaf_Subject());
    EXPECT_EQ(child->Get_ChildrenSubjects_Iterator(), nullptr);
  }
  EXPECT_FALSE(list.Is_Leaf_Subject());
  EXPECT_EQ(list.Get_Parent_ScalepitchList(err), nullptr);
  EXPECT_EQ(err, "ComponentSubject::Get_Parent_ScalepitchList() failed,  parentListSubject  is null.");
  EXPECT_FALSE(list.Remove_From_Parent_List(messages, err));
  EXPECT_EQ(err, "ComponentSubject::Get_Parent_ScalepitchList() failed,  parentListSubject  is null.");
}

TEST_F(SubjectViewTest, PlainSubjectRefusesChildren) {
  LoggingSubject leaf("leaf", &log);
  LoggingSubject other("other", &log);
  EXPECT_FALSE(leaf.Add_ChildSubject(&other, err));
  EXPECT_EQ(err, "Add_ChildSubject  is not installed for ComponentSubject.");
  EXPECT_FALSE(leaf.Add_ChildSubject_To_Lists_Head(&other, err));
  EXPECT_EQ(err, "Add_ChildSubject_To_Lists_Head  is not installed for ComponentSubject.");
  EXPECT_FALSE(list.Add_ChildSubject_To_Lists_Head(&other, err));
  EXPECT_FALSE(list.Change_My_Property(nullptr, err));
  EXPECT_EQ(err, "");
  err = "old";
  EXPECT_TRUE(list.Initialize_ComponentExternal_for_FileSave(nullptr, err));
  EXPECT_EQ(err, "");
}

TEST_F(SubjectViewTest, CreateChildViewsMakesOneAttachedViewPerChildInOrder) {
  Make_Views();
  EXPECT_EQ(View_Names(Child_Views()), (std::vector<std::string>{"a", "b", "c"}));
  for (int32_t i = 0; i < 3; ++i) {
    ComponentView* view = Child_View(i);
    EXPECT_EQ(view->Get_Subject(), children[static_cast<size_t>(i)]);
    EXPECT_EQ(children[static_cast<size_t>(i)]->Get_ComponentViews_List().Get_First(), view);
    EXPECT_EQ(view->Get_ListParentView(), &pane);
  }
  EXPECT_TRUE(pane.Has_Children_In_Subjects_List(err));
  EXPECT_EQ(pane.Get_ListComponentView(), &pane);
  EXPECT_EQ(list.Get_ComponentViews_List().Get_First(), &pane);
}

TEST_F(SubjectViewTest, CreateChildViewsFailures) {
  LoggingListView lone("lone", &log);
  EXPECT_FALSE(lone.Create_Child_ComponentViews(&lone, err));
  EXPECT_EQ(err, "ListComponentView::Create_Child_ComponentViews(),   no Subject.");

  LoggingSubject leaf("leaf", &log);
  leaf.Attach_ComponentView(&lone);
  EXPECT_FALSE(lone.Create_Child_ComponentViews(&lone, err));
  EXPECT_EQ(err, "ListComponentView::Create_Child_ComponentViews(),   this is NOT a Composite(multi ) view.");

  // A child that makes no view is passed over.
  children[1]->Set_Makes_Views(false);
  Make_Views();
  EXPECT_EQ(View_Names(Child_Views()), (std::vector<std::string>{"a", "c"}));
  EXPECT_TRUE(children[1]->Get_ComponentViews_List().Is_Empty());
}

TEST_F(SubjectViewTest, ListSubjectQueriesOfTheListView) {
  LoggingListView lone("lone", &log);
  EXPECT_EQ(lone.Get_List_Subject(err), nullptr);
  EXPECT_EQ(err, "ListComponentView::Get_List_Subject failed,  subject is null.");
  EXPECT_FALSE(lone.Has_Children_In_Subjects_List(err));
  EXPECT_EQ(err, "ListComponentView::Has_Children_In_Subjects_List failed,  subject is null");

  LoggingSubject leaf("leaf", &log);
  leaf.Attach_ComponentView(&lone);
  EXPECT_EQ(lone.Get_List_Subject(err), nullptr);
  EXPECT_EQ(err, "ListComponentView::Get_List_Subject,  can not dynamic cast.");
  EXPECT_FALSE(lone.Has_Children_In_Subjects_List(err));
  EXPECT_EQ(err, "ListComponentView::Has_Children_In_Subjects_List failed,  subject is null");

  EXPECT_EQ(pane.Get_List_Subject(err), &list);
  EXPECT_EQ(err, "");
  LoggingListSubject empty(&log);
  empty.Attach_ComponentView(&lone);
  EXPECT_FALSE(lone.Has_Children_In_Subjects_List(err));
  EXPECT_EQ(err, "");

  // Iterators over no child views do not exist; over three they walk both ways.
  EXPECT_EQ(lone.Get_Child_ComponentViews_Iterator(), nullptr);
  EXPECT_EQ(lone.Get_Child_ComponentViews_ReverseIterator(), nullptr);
  Make_Views();
  std::vector<std::string> forward;
  std::vector<std::string> backward;
  auto it = pane.Get_Child_ComponentViews_Iterator();
  for (it->First(); !it->Is_Done(); it->Next())
    forward.push_back(static_cast<LoggingView*>(it->Current_Item())->Name());
  auto rit = pane.Get_Child_ComponentViews_ReverseIterator();
  for (rit->First(); !rit->Is_Done(); rit->Next())
    backward.push_back(static_cast<LoggingView*>(rit->Current_Item())->Name());
  EXPECT_EQ(forward, (std::vector<std::string>{"a", "b", "c"}));
  EXPECT_EQ(backward, (std::vector<std::string>{"c", "b", "a"}));
}

TEST_F(SubjectViewTest, PlainViewHasNoSelectionRangeAndNoChildren) {
  LoggingView view("v", &log);
  int32_t start = 0;
  int32_t end = 0;
  EXPECT_FALSE(view.Get_TimeZone_Selection_Values(start, end, err));
  EXPECT_EQ(err, "Undefined dummy function[  ComponentView::Get_TimeZone_Selection_Values ].");
  EXPECT_TRUE(view.Create_Child_ComponentViews(nullptr, err));
  EXPECT_FALSE(view.Has_Children_In_Subjects_List(err));
  EXPECT_FALSE(view.Change_Subject_Property(nullptr, messages));  // no subject
  EXPECT_TRUE(messages.Texts().empty());
}

TEST_F(SubjectViewTest, ChangePropertyShowsTheSubjectsText) {
  Make_Views();
  EXPECT_TRUE(Child_View(0)->Change_Subject_Property(nullptr, messages));
  children[0]->Set_Change_Error("RegionSubject::Change_My_Property() failed,  bad PropertyCode.");
  EXPECT_FALSE(Child_View(0)->Change_Subject_Property(nullptr, messages));
  EXPECT_EQ(messages.Texts(),
            (std::vector<std::string>{"RegionSubject::Change_My_Property() failed,  bad PropertyCode."}));
}

TEST_F(SubjectViewTest, AttachPutsAtHeadAndDetachLeavesTheViewAlive) {
  LoggingView first("1", &log);
  LoggingView second("2", &log);
  LoggingSubject* s = children[0];
  s->Attach_ComponentView(&first);
  s->Attach_ComponentView(&second);
  EXPECT_EQ(View_Names(s->Get_ComponentViews_List()), (std::vector<std::string>{"2", "1"}));
  EXPECT_EQ(first.Get_Subject(), s);

  s->Detach_ComponentView(&first);
  EXPECT_EQ(first.Get_Subject(), nullptr);
  EXPECT_EQ(View_Names(s->Get_ComponentViews_List()), (std::vector<std::string>{"2"}));
  EXPECT_TRUE(log.empty());  // nobody destroyed

  // Attaching a view shown elsewhere moves it; attaching it twice keeps one entry.
  children[1]->Attach_ComponentView(&second);
  EXPECT_TRUE(s->Get_ComponentViews_List().Is_Empty());
  children[1]->Attach_ComponentView(&second);
  EXPECT_EQ(children[1]->Get_ComponentViews_List().Get_Count(), 1);
  EXPECT_EQ(second.Get_Subject(), children[1]);
}

TEST_F(SubjectViewTest, DeleteChildViewWithFullDetach) {
  Make_Views();
  LoggingSubject stranger("x", &log);
  EXPECT_TRUE(pane.Delete_Child_ComponentView_wFullDetach(&stranger, err));
  EXPECT_EQ(err, "");
  EXPECT_EQ(View_Names(Child_Views()), (std::vector<std::string>{"a", "b", "c"}));
  EXPECT_TRUE(log.empty());

  EXPECT_TRUE(pane.Delete_Child_ComponentView_wFullDetach(children[1], err));
  EXPECT_EQ(View_Names(Child_Views()), (std::vector<std::string>{"a", "c"}));
  EXPECT_TRUE(children[1]->Get_ComponentViews_List().Is_Empty());
  EXPECT_EQ(log, (EventLog{"~view b"}));

  LoggingListView empty("empty", &log);
  EXPECT_TRUE(empty.Delete_Child_ComponentView_wFullDetach(children[0], err));
}

// A list view that denies being one: the guard of the full detach.
class NotAListView : public LoggingListView {
 public:
  using LoggingListView::LoggingListView;
  ListComponentView* Get_ListComponentView() override { return nullptr; }
};

TEST_F(SubjectViewTest, FullDetachRefusesWithoutTheListViewType) {
  NotAListView odd("odd", &log);
  EXPECT_FALSE(odd.Delete_Child_ComponentView_wFullDetach(children[0], err));
  EXPECT_EQ(err, "Delete_Child_ComponentView_wFullDetach failed,  ListComponentView bad cast.");
}

TEST_F(SubjectViewTest, RemoveFromParentListDestroysViewsInEveryPaneThenTheSubject) {
  Make_Views();
  LoggingListView second("second", &log);
  list.Attach_ComponentView(&second);
  ASSERT_TRUE(second.Create_Child_ComponentViews(&second, err));
  ASSERT_EQ(children[1]->Get_ComponentViews_List().Get_Count(), 2);

  EXPECT_TRUE(children[1]->Remove_From_Parent_List(messages, err));
  EXPECT_EQ(err, "");
  EXPECT_EQ(log, (EventLog{"~view b", "~view b", "~subject b"}));
  EXPECT_EQ(Subject_Names(list.Get_Children_List()), (std::vector<std::string>{"a", "c"}));
  EXPECT_EQ(View_Names(Child_Views()), (std::vector<std::string>{"a", "c"}));
  EXPECT_EQ(View_Names(*second.Get_Child_ComponentViews_List()), (std::vector<std::string>{"a", "c"}));
  EXPECT_TRUE(messages.Texts().empty());
}

TEST_F(SubjectViewTest, DeleteViewsOfOnePaneLeavesOtherPanes) {
  Make_Views();
  LoggingListView second("second", &log);
  list.Attach_ComponentView(&second);
  ASSERT_TRUE(second.Create_Child_ComponentViews(&second, err));

  pane.Delete_Child_ComponentViews(messages);
  EXPECT_TRUE(Child_Views().Is_Empty());
  EXPECT_EQ(View_Names(*second.Get_Child_ComponentViews_List()), (std::vector<std::string>{"a", "b", "c"}));
  for (LoggingSubject* child : children) EXPECT_EQ(child->Get_ComponentViews_List().Get_Count(), 1);
  EXPECT_TRUE(messages.Texts().empty());
}

TEST_F(SubjectViewTest, DeleteAllViewsOfASubjectReportsViewsItCannotReach) {
  LoggingSubject* s = children[0];
  LoggingView orphan("orphan", &log);  // no list parent view
  s->Attach_ComponentView(&orphan);
  LoggingView foreign("foreign", &log);  // its list parent is no list view
  LoggingView notAList("plain", &log);
  foreign.Set_ListParentView(&notAList);
  s->Attach_ComponentView(&foreign);

  s->Delete_All_ComponentViews_ThisPane(nullptr, messages);
  EXPECT_EQ(messages.Texts(),
            (std::vector<std::string>{
                "ComponentSubject::Delete_All_ComponentViews_ThisPane  failed,  listView is NULL.",
                "ComponentSubject::Delete_All_ComponentViews_ThisPane  failed,  listParentView is NULL.",
                "ComponentSubject::Delete_All_ComponentViews_ThisPane  failed,  listView is NULL."}));
  EXPECT_EQ(s->Get_ComponentViews_List().Get_Count(), 2);

  // Restricted to a pane, a view of another pane is not looked at further.
  messages.Clear();
  s->Delete_All_ComponentViews_ThisPane(&pane, messages);
  EXPECT_EQ(messages.Texts(),
            (std::vector<std::string>{
                "ComponentSubject::Delete_All_ComponentViews_ThisPane  failed,  listParentView is NULL."}));

  // A view in the list whose subject was cleared behind the subject's back.
  messages.Clear();
  s->Detach_ComponentView(&foreign);
  orphan.Set_Subject(nullptr);
  s->Delete_All_ComponentViews_ThisPane(nullptr, messages);
  EXPECT_EQ(messages.Texts(),
            (std::vector<std::string>{
                "ComponentSubject::Delete_All_ComponentViews_ThisPane  failed,  listParentView is NULL.",
                "ComponentSubject::Delete_All_ComponentViews_ThisPane  failed,  subject is NULL."}));
  orphan.Set_Subject(s);
  s->Detach_ComponentView(&orphan);
  EXPECT_TRUE(log.empty());
}

TEST_F(SubjectViewTest, TwoViewsOfOneSubjectInOnePaneAreBothDeleted) {
  Make_Views();
  Make_Views();  // a second round: every child now has two views in this pane
  ASSERT_EQ(children[0]->Get_ComponentViews_List().Get_Count(), 2);
  children[0]->Delete_All_ComponentViews_ThisPane(&pane, messages);
  EXPECT_TRUE(children[0]->Get_ComponentViews_List().Is_Empty());
  EXPECT_EQ(View_Names(Child_Views()), (std::vector<std::string>{"b", "c", "b", "c"}));
  EXPECT_EQ(log, (EventLog{"~view a", "~view a"}));
  EXPECT_TRUE(messages.Texts().empty());
}

TEST_F(SubjectViewTest, DeleteChildSubjectGoesThroughListViewsOnly) {
  Make_Views();
  ListMemry<ComponentView> views;
  views.Set_Owns_Objects(false);
  LoggingView plain("plain", &log);
  views.Add_To_Tail(&plain);

  // No list view among the views: the child stays.
  EXPECT_TRUE(list.Delete_ChildSubject(children[0], views, err));
  EXPECT_EQ(list.Get_Children_List().Get_Count(), 3);
  EXPECT_TRUE(log.empty());

  views.Add_To_Tail(&pane);
  EXPECT_TRUE(list.Delete_ChildSubject(children[0], views, err));
  EXPECT_EQ(log, (EventLog{"~view a", "~subject a"}));
  EXPECT_EQ(Subject_Names(list.Get_Children_List()), (std::vector<std::string>{"b", "c"}));

  NotAListView odd("odd", &log);
  ListMemry<ComponentView> oddViews;
  oddViews.Set_Owns_Objects(false);
  oddViews.Add_To_Tail(&odd);
  // Not reported as a list view, so not met: nothing happens.
  EXPECT_TRUE(list.Delete_ChildSubject(children[1], oddViews, err));
  EXPECT_EQ(list.Get_Children_List().Get_Count(), 2);
}

// A list view whose full detach always fails, to see Delete_ChildSubject stop.
class FailingListView : public LoggingListView {
 public:
  using LoggingListView::LoggingListView;
  bool Delete_Child_ComponentView_wFullDetach(ComponentSubject*, std::string& err) override {
    err = "refused";
    return false;
  }
};

TEST_F(SubjectViewTest, DeleteChildSubjectStopsAtTheFirstFailure) {
  Make_Views();
  FailingListView failing("failing", &log);
  ListMemry<ComponentView> views;
  views.Set_Owns_Objects(false);
  views.Add_To_Tail(&failing);
  views.Add_To_Tail(&pane);
  EXPECT_FALSE(list.Delete_ChildSubject(children[2], views, err));
  EXPECT_EQ(err, "refused");
  EXPECT_EQ(list.Get_Children_List().Get_Count(), 3);
  EXPECT_EQ(Child_Views().Get_Count(), 3);  // the pane after it was not reached
}

TEST_F(SubjectViewTest, DeleteAllChildrenDestroysViewsThenSubjects) {
  Make_Views();
  Eventj event;
  Manipulatorj* manipulator = nullptr;
  ASSERT_TRUE(Child_View(1)->Create_HandleFrame(event, manipulator, messages, err));
  LoggingView plain("plain", &log);
  list.Attach_ComponentView(&plain);  // not a list view: passed over

  list.Delete_All_Children(list.Get_ComponentViews_List());
  EXPECT_EQ(log, (EventLog{"~view a", "~view b", "~view c", "~subject a", "~subject b", "~subject c"}));
  EXPECT_TRUE(Child_Views().Is_Empty());
  EXPECT_TRUE(list.Get_Children_List().Is_Empty());
  EXPECT_EQ(list.Get_ComponentViews_List().Get_Count(), 2);
}

TEST_F(SubjectViewTest, DetachAllChildViewsDeselectsAndUnlinksButKeepsThem) {
  Make_Views();
  Eventj event;
  Manipulatorj* manipulator = nullptr;
  ASSERT_TRUE(Child_View(0)->Create_HandleFrame(event, manipulator, messages, err));
  pane.Detach_All_Child_ComponentViews();
  EXPECT_EQ(Child_Views().Get_Count(), 3);
  EXPECT_EQ(Child_View(0)->Get_HandleFrame(), nullptr);
  for (int32_t i = 0; i < 3; ++i) EXPECT_EQ(Child_View(i)->Get_Subject(), nullptr);
  for (LoggingSubject* child : children) EXPECT_TRUE(child->Get_ComponentViews_List().Is_Empty());
  EXPECT_TRUE(log.empty());
}

TEST_F(SubjectViewTest, AppendClonesSkipsSubjectsThatCannotBeCloned) {
  children[1]->Set_Cloneable(false);
  LoggingListSubject target(&log);
  target.Append_Clones(list.Get_Children_List());
  EXPECT_EQ(Subject_Names(target.Get_Children_List()), (std::vector<std::string>{"a+", "c+"}));
  EXPECT_EQ(target.Get_Children_List().Get_First()->Get_Parent_ScalepitchList(err), &target);

  // Cloning a list into itself clones each original once.
  list.Append_Clones(list.Get_Children_List());
  EXPECT_EQ(Subject_Names(list.Get_Children_List()), (std::vector<std::string>{"a", "b", "c", "a+", "c+"}));
}

TEST_F(SubjectViewTest, FindViewAtPointPrefersEarlierChildrenThenItself) {
  Make_Views();
  pane.Get_Graphic().Set_Rect(Make_RectLong(0, 0, 199, 199));
  Child_View(0)->Get_Graphic().Set_Rect(Make_RectLong(10, 10, 50, 50));
  Child_View(1)->Get_Graphic().Set_Rect(Make_RectLong(40, 40, 80, 80));
  Child_View(2)->Get_Graphic().Set_Rect(Make_RectLong(40, 40, 80, 80));
  Eventj event;
  auto at = [&](int16_t x, int16_t y) {
    event.point.x = x;
    event.point.y = y;
    return pane.Find_ComponentView_at_Point(event);
  };
  EXPECT_EQ(at(45, 45), Child_View(0));  // inside all three
  EXPECT_EQ(at(80, 80), Child_View(1));  // edge of the later two
  EXPECT_EQ(at(100, 100), &pane);
  EXPECT_EQ(at(199, 0), &pane);
  EXPECT_EQ(at(200, 0), nullptr);
  EXPECT_EQ(Child_View(0)->Find_ComponentView_at_Point(event), nullptr);
}

TEST_F(SubjectViewTest, DestructionInEitherOrderLeavesNoDanglingLinks) {
  Make_Views();
  // A view outliving its subject loses the subject.
  auto* survivor = new LoggingView("survivor", &log);
  {
    LoggingSubject temporary("t", &log);
    temporary.Attach_ComponentView(survivor);
  }
  EXPECT_EQ(survivor->Get_Subject(), nullptr);
  delete survivor;

  // A view destroyed while attached leaves its subject's list.
  {
    LoggingView shortLived("short", &log);
    children[2]->Attach_ComponentView(&shortLived);
    EXPECT_EQ(children[2]->Get_ComponentViews_List().Get_Count(), 2);
  }
  EXPECT_EQ(children[2]->Get_ComponentViews_List().Get_Count(), 1);

  // Children destroyed while the pane still holds their views: the views
  // stay in the pane without a subject.
  log.clear();
  list.Get_Children_List().Delete_All();
  for (int32_t i = 0; i < 3; ++i) EXPECT_EQ(Child_View(i)->Get_Subject(), nullptr);
  EXPECT_EQ(log, (EventLog{"~subject a", "~subject b", "~subject c"}));
}

}  // namespace
