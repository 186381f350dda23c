#pragma once
// The demo form's list page: a flat tool bar (buttons with images and captions, check buttons,
// a group, a drop-down menu), a header control, and a report list view of connections that
// sorts by a click on a column title. The demo form makes it and reads its state for the
// report.

#include "framework/comctrls/HeaderControl.h"
#include "framework/comctrls/ImageList.h"
#include "framework/comctrls/ListView.h"
#include "framework/comctrls/PageControl.h"
#include "framework/comctrls/ToolBar.h"
#include "framework/menus/Menus.h"

#include <functional>
#include <string>

class TDemoListPage {
public:
    // Adds the page to `pages`; its components belong to `owner`. `showAction` tells the form's
    // status bar what was done.
    TDemoListPage(TComponent* owner, TPageControl* pages, std::function<void(const std::string&)> showAction);

    // "name=value" lines of what was done on the page.
    std::string StateReport() const;

    TTabSheet* Sheet;
    TImageList* Images;
    TToolBar* ToolBar1;
    TToolButton* AddButton;
    TToolButton* DeleteButton;
    TToolButton* GridButton;
    TToolButton* RowButton;
    TToolButton* AscendingButton;
    TToolButton* DescendingButton;
    TToolButton* ViewButton;
    TPopupMenu* ViewMenu;
    THeaderControl* HeaderControl1;
    TListView* ListView1;

private:
    void BuildImages(TComponent* owner);
    void BuildToolBar(TComponent* owner);
    void BuildHeader(TComponent* owner);
    void BuildList(TComponent* owner);
    void AddRow(int number);
    void SortByTitle(int column);
    void SortBy(int column);

    std::function<void(const std::string&)> m_showAction;
    int m_added = 0;
    int m_sortColumn = -1;
    std::string m_view = "全部";
};
