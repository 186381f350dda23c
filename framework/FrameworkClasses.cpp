#include "framework/FrameworkClasses.h"

#include "framework/buttons/BitBtn.h"
#include "framework/buttons/SpeedButton.h"
#include "framework/classes/NotifyStrings.h"
#include "framework/comctrls/HeaderControl.h"
#include "framework/comctrls/ImageList.h"
#include "framework/comctrls/ListView.h"
#include "framework/comctrls/PageControl.h"
#include "framework/comctrls/ProgressBar.h"
#include "framework/comctrls/StatusBar.h"
#include "framework/comctrls/ToolBar.h"
#include "framework/comctrls/TrackBar.h"
#include "framework/comctrls/UpDown.h"
#include "framework/controls/GraphicControl.h"
#include "framework/dialogs/Dialogs.h"
#include "framework/extctrls/MediaPlayer.h"
#include "framework/extctrls/RadioGroup.h"
#include "framework/extctrls/TabSet.h"
#include "framework/forms/Application.h"
#include "framework/forms/Form.h"
#include "framework/forms/Frame.h"
#include "framework/forms/HintWindow.h"
#include "framework/forms/Screen.h"
#include "framework/forms/Timer.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/Picture.h"
#include "framework/grid/StringGrid.h"
#include "framework/menus/Menus.h"
#include "framework/stdctrls/Buttons.h"
#include "framework/stdctrls/ComboBoxes.h"
#include "framework/stdctrls/Edits.h"
#include "framework/stdctrls/ListBoxes.h"
#include "framework/stdctrls/Memo.h"
#include "framework/stdctrls/Panels.h"
#include "framework/stdctrls/ScrollBars.h"

void RegisterFrameworkClasses() {
    static const bool registered = [] {
        for (const TClass* type :
             {&TObject::ClassInfo(),         &TPersistent::ClassInfo(), &TGraphicsObject::ClassInfo(),
              &TFont::ClassInfo(),           &TBrush::ClassInfo(),      &TPen::ClassInfo(),
              &TCanvas::ClassInfo(),         &TGraphic::ClassInfo(),    &TBitmap::ClassInfo(),
              &TIcon::ClassInfo(),           &TPicture::ClassInfo(),    &TComponent::ClassInfo(),
              &TControl::ClassInfo(),        &TWinControl::ClassInfo(), &TGraphicControl::ClassInfo(),
              &TCustomControl::ClassInfo(),  &TCustomForm::ClassInfo(), &TForm::ClassInfo(),
              &TApplication::ClassInfo(),    &TScreen::ClassInfo(),     &TTimer::ClassInfo(),
              &TCustomGrid::ClassInfo(),     &TStringGrid::ClassInfo(), &TButtonControl::ClassInfo(),
              &TButton::ClassInfo(),         &TCheckBox::ClassInfo(),   &TRadioButton::ClassInfo(),
              &TCustomGroupBox::ClassInfo(), &TGroupBox::ClassInfo()})
            RegisterClass(*type);
        for (const TClass* type :
             {&TCustomEdit::ClassInfo(), &TEdit::ClassInfo(), &TCustomMemo::ClassInfo(), &TMemo::ClassInfo(),
              &TCustomPanel::ClassInfo(), &TPanel::ClassInfo(), &TCommonDialog::ClassInfo(),
              &TSaveDialog::ClassInfo(), &TCustomListControl::ClassInfo(), &TCustomComboBox::ClassInfo(),
              &TComboBox::ClassInfo(), &TCustomListBox::ClassInfo(), &TListBox::ClassInfo(),
              &TScrollBar::ClassInfo()})
            RegisterClass(*type);
        for (const TClass* type :
             {&TCustomImageList::ClassInfo(), &TImageList::ClassInfo(), &TCustomTabControl::ClassInfo(),
              &TTabControl::ClassInfo(), &TPageControl::ClassInfo(), &TTabSheet::ClassInfo(),
              &TStatusPanel::ClassInfo(), &TStatusPanels::ClassInfo(), &TCustomStatusBar::ClassInfo(),
              &TStatusBar::ClassInfo(), &TProgressBar::ClassInfo(), &TTrackBar::ClassInfo(),
              &TUpDown::ClassInfo()})
            RegisterClass(*type);
        for (const TClass* type :
             {&TListItem::ClassInfo(), &TListViewItems::ClassInfo(), &TListColumn::ClassInfo(),
              &TListColumns::ClassInfo(), &TCustomListView::ClassInfo(), &TListView::ClassInfo(),
              &THeaderSection::ClassInfo(), &THeaderSections::ClassInfo(), &THeaderControl::ClassInfo(),
              &TToolButton::ClassInfo(), &TToolBar::ClassInfo()})
            RegisterClass(*type);
        for (const TClass* type :
             {&TStrings::ClassInfo(), &TNotifyStrings::ClassInfo(), &TBitBtn::ClassInfo(),
              &TSpeedButton::ClassInfo(), &TCustomRadioGroup::ClassInfo(), &TRadioGroup::ClassInfo(),
              &TTabSet::ClassInfo(), &TMediaPlayer::ClassInfo(), &TCustomFrame::ClassInfo(),
              &TFrame::ClassInfo()})
            RegisterClass(*type);
        for (const TClass* type : {&TMenuItem::ClassInfo(), &TMenu::ClassInfo(), &TMainMenu::ClassInfo(),
                                   &TPopupMenu::ClassInfo(), &THintWindow::ClassInfo()})
            RegisterClass(*type);
        return true;
    }();
    (void)registered;
}
