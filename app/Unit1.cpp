#include "app/Unit1.h"

#include "app/ConnectionColumns.h"
#include "app/DatabaseFacts.h"
#include "app/GridSort.h"
#include "app/ListWriter.h"
#include "app/LocationText.h"
#include "app/ProgramSkin.h"
#include "app/UpdateCommands.h"
#include "framework/comctrls/PageControl.h"
#include "framework/comctrls/StatusBar.h"
#include "framework/dialogs/Dialogs.h"
#include "framework/forms/Application.h"
#include "framework/grid/StringGrid.h"
#include "framework/stdctrls/Buttons.h"
#include "framework/stdctrls/Edits.h"
#include "framework/stdctrls/Memo.h"
#include "framework/stdctrls/Panels.h"
#include "platform/controls/dialogs/MessageBox.h"
#include "skin/forms/WinSkinData.h"

namespace {

constexpr int ConnectionColumnWidths[ConnectionColumnCount] = {38, 120, 118, 165, 72, 51, 162, 530, 64};

} // namespace

const TClass& TForm1::ClassInfo() {
    static const TClass info("TForm1", &TForm::ClassInfo());
    return info;
}

TForm1::TForm1(TComponent* owner) : TForm(owner) {
    SetName("Form1");
    SetCaption("Quillmere");
    SetBounds(0, 0, 636, 525);
    SetPosition(poDesktopCenter);
    Font()->SetName("宋体");
    Font()->SetHeight(-12);
    UpdaterFile = UpdaterPath();
    CreateStatusBar();
    CreatePages();
    SaveDialog1 = new TSaveDialog(this);
    SaveDialog1->SetName("SaveDialog1");
    SaveDialog1->SetDefaultExt("txt");
    SaveDialog1->SetFilter("文本文件|*.txt|所有文件|*.*");
    CreateSkinData();
    OnCreate = [this](TObject* sender) { FormCreate(sender); };
}

TForm1::~TForm1() = default;

void TForm1::CreateSkinData() {
    SkinData1 = CreateStoredSkinData(this, "SkinData1");
}

void TForm1::CreateStatusBar() {
    StatusBar1 = new TStatusBar(this);
    StatusBar1->SetName("StatusBar1");
    StatusBar1->SetParent(this);
    StatusBar1->SetHeight(19);
    for (int panel = 0; panel < 3; ++panel)
        StatusBar1->Panels()->Add()->SetWidth(150);
    StatusBar1->Panels()->Items(CountStatusPanel)->SetText(CountText(ListingView::TcpUdp, 0));
}

void TForm1::CreatePages() {
    PageControl1 = new TPageControl(this);
    PageControl1->SetName("PageControl1");
    PageControl1->SetParent(this);
    PageControl1->SetAlign(alClient);
    TabSheet1 = new TTabSheet(this);
    TabSheet1->SetName("TabSheet1");
    TabSheet1->SetPageControl(PageControl1);
    TabSheet1->SetCaption("进程连接列表");
    TabSheet2 = new TTabSheet(this);
    TabSheet2->SetName("TabSheet2");
    TabSheet2->SetPageControl(PageControl1);
    TabSheet2->SetCaption("IP数据库维护");
    PageControl1->SetActivePage(TabSheet1);
    CreatePageOne(TabSheet1);
    CreatePageTwo(TabSheet2);
}

void TForm1::CreatePageOne(TWinControl* page) {
    Panel1 = new TPanel(this);
    Panel1->SetName("Panel1");
    Panel1->SetParent(page);
    Panel1->SetAlign(alTop);
    Panel1->SetHeight(32);
    Panel1->SetBevelOuter(bvNone);
    Panel1->SetCaption("");
    CreateCommandButtons(Panel1);

    Panel2 = new TPanel(this);
    Panel2->SetName("Panel2");
    Panel2->SetParent(page);
    Panel2->SetAlign(alBottom);
    Panel2->SetHeight(52);
    Panel2->SetCaption("合理的分析网络连接可以检测电脑是否被安装了木马或是中毒。");

    CreateGrid(page);
    CreateListingButtons(page);
    Edit_Ver = new TEdit(this);
    Edit_Ver->SetName("Edit_Ver");
    Edit_Ver->SetParent(page);
    Edit_Ver->SetVisible(false);
    Edit_Ver->SetText(ProgramVersion);
}

void TForm1::CreatePageTwo(TWinControl* page) {
    Memo1 = new TMemo(this);
    Memo1->SetName("Memo1");
    Memo1->SetParent(page);
    Memo1->SetAlign(alTop);
    Memo1->SetHeight(89);
    Memo1->SetBorderStyle(bsNone);
    Memo1->SetScrollBars(ssVertical);
    Memo1->Lines()->SetText("Memo1");
    Button_IPVer = NewButton(page, "Button_IPVer", "数据库版本", 8, 96, 85, 25);
    Button_IPVer->OnClick = [this](TObject* sender) { Button_IPVerClick(sender); };
    Button3 = NewButton(page, "Button3", "升级IP数据库", 96, 96, 85, 25);
    Button3->OnClick = [this](TObject* sender) { Button3Click(sender); };
}

TButton* TForm1::NewButton(TWinControl* parent, const std::string& name, const std::string& caption, int left,
                           int top, int width, int height) {
    auto* button = new TButton(this);
    button->SetName(name);
    button->SetParent(parent);
    button->SetBounds(left, top, width, height);
    button->SetCaption(caption);
    return button;
}

TRadioButton* TForm1::NewRadio(TWinControl* parent, const std::string& name, const std::string& caption,
                               int left, int width) {
    auto* radio = new TRadioButton(this);
    radio->SetName(name);
    radio->SetParent(parent);
    radio->SetBounds(left, 7, width, 17);
    radio->SetCaption(caption);
    return radio;
}

void TForm1::CreateCommandButtons(TWinControl* parent) {
    Radio_TcpUDP = NewRadio(parent, "Radio_TcpUDP", "显示TCP/UDP", 13, 87);
    Radio_Tcp = NewRadio(parent, "Radio_Tcp", "只显示TCP", 109, 77);
    Radio_UDP = NewRadio(parent, "Radio_UDP", "只显示UDP", 195, 89);
    Radio_Remotetcp = NewRadio(parent, "Radio_Remotetcp", "只显示远程连接", 281, 110);
    Radio_Remotetcp->SetChecked(true);
    Button_Refresh = NewButton(parent, "Button_Refresh", "刷新", 416, 2, 50, 24);
    Button_Refresh->OnClick = [this](TObject* sender) { Button_RefreshClick(sender); };
    Button2 = NewButton(parent, "Button2", "保存", 476, 2, 50, 24);
    Button2->OnClick = [this](TObject* sender) { Button2Click(sender); };
    Button1 = NewButton(parent, "Button1", "更新", 537, 2, 50, 24);
    Button1->OnClick = [this](TObject* sender) { Button1Click(sender); };
}

// The four listings, run by name from the refresh command; never shown.
void TForm1::CreateListingButtons(TWinControl* parent) {
    auto listingButton = [&](const std::string& name, void (TForm1::*handler)(TObject*)) {
        TButton* button = NewButton(parent, name, name.substr(std::string("Button_").size()), 0, 0, 75, 25);
        button->SetVisible(false);
        button->OnClick = [this, handler](TObject* sender) { (this->*handler)(sender); };
        return button;
    };
    Button_TCPUDP = listingButton("Button_TCPUDP", &TForm1::Button_TCPUDPClick);
    Button_TCP = listingButton("Button_TCP", &TForm1::Button_TCPClick);
    Button_UDP = listingButton("Button_UDP", &TForm1::Button_UDPClick);
    Button_Remotetcp = listingButton("Button_Remotetcp", &TForm1::Button_RemotetcpClick);
}

void TForm1::CreateGrid(TWinControl* parent) {
    StringGrid1 = new TStringGrid(this);
    StringGrid1->SetName("StringGrid1");
    StringGrid1->SetParent(parent);
    StringGrid1->SetAlign(alClient);
    StringGrid1->SetColCount(ConnectionColumnCount);
    StringGrid1->SetFixedCols(0);
    StringGrid1->SetRowCount(2);
    StringGrid1->SetDefaultRowHeight(20);
    StringGrid1->SetOptions({goFixedVertLine, goFixedHorzLine, goVertLine, goHorzLine, goRowSelect,
                             goColSizing, goThumbTracking});
    for (int column = 0; column < ConnectionColumnCount; ++column)
        StringGrid1->SetColWidths(column, ConnectionColumnWidths[column]);
    StringGrid1->OnMouseDown = [this](TObject* sender, TMouseButton button, TShiftState shift, int x, int y) {
        StringGrid1MouseDown(sender, button, shift, x, y);
    };
    StringGrid1->OnSelectCell = [this](TObject* sender, int col, int row, bool& canSelect) {
        StringGrid1SelectCell(sender, col, row, canSelect);
    };
    m_gridModel = std::make_unique<StringGridModel>(*StringGrid1);
}

void TForm1::FormCreate(TObject*) {
    SetCaption(Caption() + "VER" + Edit_Ver->Text());
    for (int column = 0; column < ConnectionColumnCount; ++column)
        StringGrid1->SetCells(column, 0, ConnectionColumnTitles[column]);
    Button_Refresh->Click();
    Button_IPVer->Click();
}

void TForm1::Button_RefreshClick(TObject*) {
    SetStatusText(CountStatusPanel, "");
    Button_Refresh->SetEnabled(false);
    if (Radio_Remotetcp->Checked())
        Button_Remotetcp->Click();
    if (Radio_TcpUDP->Checked())
        Button_TCPUDP->Click();
    if (Radio_Tcp->Checked())
        Button_TCP->Click();
    if (Radio_UDP->Checked())
        Button_UDP->Click();
    Button_Refresh->SetEnabled(true);
}

void TForm1::RunView(ListingView view) {
    QQWryLocations locations;
    // A failed location look-up ends the listing at its row, without a message.
    RunListing(view, *this, locations);
}

void TForm1::Button_TCPUDPClick(TObject*) {
    RunView(ListingView::TcpUdp);
}

void TForm1::Button_TCPClick(TObject*) {
    RunView(ListingView::Tcp);
}

void TForm1::Button_UDPClick(TObject*) {
    RunView(ListingView::Udp);
}

void TForm1::Button_RemotetcpClick(TObject*) {
    RunView(ListingView::RemoteTcp);
}

void TForm1::StringGrid1MouseDown(TObject*, TMouseButton button, TShiftState, int x, int y) {
    if (button == mbRight)
        return;
    int col = -1;
    int row = -1;
    StringGrid1->MouseToCell(x, y, col, row);
    if (col < 0 || row < 0 || row >= StringGrid1->FixedRows())
        return;
    SortByHeaderClick(m_gridModel.get(), col, m_lastSortColumn);
}

void TForm1::StringGrid1SelectCell(TObject*, int, int row, bool& canSelect) {
    SetStatusText(0, StringGrid1->Cells(ColumnProcessName, row));
    canSelect = true;
}

// A file that cannot be created, or a write that fails or stores less than asked, raises from
// the writer: the error display shows it, and the completion message never follows.
void TForm1::Button2Click(TObject*) {
    if (StringGrid1->ColCount() <= 0 || StringGrid1->RowCount() <= 0)
        return;
    if (!SaveDialog1->Execute())
        return;
    SaveGridText(*m_gridModel, SaveDialog1->FileName());
    MessageBoxA(Handle(), SavedMessageText(SaveDialog1->FileName()).c_str(), SavedMessageCaption,
                MB_ICONINFORMATION | MB_OK);
}

void TForm1::Button1Click(TObject*) {
    OpenUpdatePage(Handle(), Edit_Ver->Text());
}

void TForm1::Button_IPVerClick(TObject*) {
    Memo1->Lines()->Clear();
    ReadDatabaseFacts(LocationDatabaseName, [this](const std::string& line) { Memo1->Lines()->Add(line); });
}

void TForm1::Button3Click(TObject*) {
    StartUpdater(UpdaterFile);
}

void TForm1::ShowWarning(const std::string& text, const std::string& caption) {
    MessageBoxA(Handle(), text.c_str(), caption.c_str(), MB_ICONWARNING | MB_OK);
}

void TForm1::ProcessMessages() {
    Application()->ProcessMessages();
}

std::string TForm1::StatusText(int panel) const {
    TStatusPanels* panels = StatusBar1->Panels();
    return panel >= 0 && panel < panels->Count() ? panels->Items(panel)->Text() : std::string();
}

void TForm1::SetStatusText(int panel, const std::string& text) {
    TStatusPanels* panels = StatusBar1->Panels();
    if (panel >= 0 && panel < panels->Count())
        panels->Items(panel)->SetText(text);
}
