#pragma once
// ListComponentView: a memory pane that shows a list subject.  It owns one
// child view per child subject, made by Create_Child_ComponentViews, and
// renders itself by drawing its frame artist's map and then every child
// view into its memory bitmap, which it copies to the window.
//
// The draw kind: while Draw_Child_ComponentViews walks the children, the
// kind it was called with is the list view's current draw kind (0 at all
// other times).  It is kept in the list view rather than anywhere global;
// a child view reads it from the pane it is handed, or from its list
// parent view, while it draws.
//
// Update_Appearance stays to be given by the concrete pane.

#include <cstdint>
#include <memory>
#include <string>

#include "views/Pane.h"

class FrameArtist;
class ListComponentSubject;

class ListComponentView : public PaneMemory {
 public:
  // Draw kinds of Draw_Child_ComponentViews.
  static constexpr int32_t kDrawUpdateAppearance = 0;  // children's Update_Appearance
  static constexpr int32_t kDrawToMemory = 3;          // children draw into the memory bitmap
  static constexpr int32_t kDrawToMemoryAlt = 5;       // the same, under a second kind

  ListComponentView();
  ~ListComponentView() override;

  // Without a frame artist shows
  // "<class>::Render_Animation_Frame  failed,  frameArtist is NULL." with
  // the pane's View_Class_Name.  Otherwise clears the memory bitmap to
  // white, draws the frame's content with Draw_Frame and copies the bitmap
  // to the pane's rectangle of `window` (when there is one).  Without a
  // memory bitmap nothing is drawn.
  void Render_Animation_Frame(DrawSurface* window, MessageService& messages) override;
  ListComponentView* Get_ListComponentView() override { return this; }
  ListMemry<ComponentView>* Get_Child_ComponentViews_List() override { return &m_childViews; }
  // One view per child subject that Wants_Child_View, in children order:
  // made by the child, told this list view as its list parent view,
  // attached to the child and appended to the child views.  A child that
  // makes no view gets none.  The failure texts start with View_Class_Name.
  bool Create_Child_ComponentViews(Pane* pane, std::string& err) override;
  bool Has_Children_In_Subjects_List(std::string& err) override;
  std::unique_ptr<Iterator<ComponentView>> Get_Child_ComponentViews_Iterator() override;
  std::unique_ptr<Iterator<ComponentView>> Get_Child_ComponentViews_ReverseIterator() override;
  // Every child subject's views in this pane are destroyed.
  void Delete_Child_ComponentViews(MessageService& messages) override;

  // Appends a view; the list view owns it from now on.
  virtual void Add_Child_ComponentView(ComponentView* view);
  // Detaches and destroys the first child view that shows `subject`; true
  // also when there is none.
  virtual bool Delete_Child_ComponentView_wFullDetach(ComponentSubject* subject, std::string& err);
  // The subject as a list subject; null with the reason in err.
  virtual ListComponentSubject* Get_List_Subject(std::string& err) const;
  // For every child view that has a subject: kind 0 runs its
  // Update_Appearance(pane), kinds 3 and 5 its Draw_ComponentView on the
  // memory bitmap; other kinds do nothing.
  virtual void Draw_Child_ComponentViews(int32_t kind, Pane* pane);
  // The same for the child views of one subject only.
  virtual void Draw_Child_ComponentView_of_Subject(int32_t kind, Pane* pane, const ComponentSubject* subject);

  // The kind of the Draw_Child_ComponentViews walk in progress; 0 outside one.
  int32_t Get_Current_Draw_Kind() const { return m_currentDrawKind; }

 protected:
  // The class name the failure texts of Render_Animation_Frame and
  // Create_Child_ComponentViews start with.
  virtual const char* View_Class_Name() const { return "ListComponentView"; }
  // Whether Create_Child_ComponentViews makes a view for `child`; every
  // child gets one here.
  virtual bool Wants_Child_View(ComponentSubject& child);
  // The frame's content on the white memory bitmap: here the artist's map
  // (Blit_Artist_Map) and then the children (kind 3).
  virtual void Draw_Frame(FrameArtist& artist, DrawSurface& memory, MessageService& messages);
  // Copies the artist's map of the pane kind over the pane's rectangle of
  // the memory bitmap, when the artist gives one without an error text (no
  // map is an ordinary state: the pane stays white).
  void Blit_Artist_Map(FrameArtist& artist, DrawSurface& memory);

 private:
  void Draw_Children(int32_t kind, Pane* pane, const ComponentSubject* onlySubject);

  ListMemry<ComponentView> m_childViews;  // owning
  int32_t m_currentDrawKind = 0;
};
