#include "DemoForm.h"

#include "core/Format.h"

namespace {

template <typename T>
T* Place(TWinControl* parent, int left, int top, int width, int height) {
    auto* control = new T(parent->Owner() ? parent->Owner() : parent);
    control->SetParent(parent);
    control->SetBounds(left, top, width, height);
    return control;
}

TMenuItem* Item(TComponent* owner, const std::string& caption, TShortCut shortCut = scNone) {
    auto* item = new TMenuItem(owner);
    item->SetCaption(caption);
    item->SetShortCut(shortCut);
    return item;
}

} // namespace

TDemoForm::TDemoForm(TComponent* owner) : TForm(owner) {
    SetCaption("Quillmere 控件演示");
    SetBounds(0, 0, 560, 420);
    SetPosition(poScreenCenter);
    Font()->SetName("宋体");
    Font()->SetHeight(-12);
    SetShowHint(true);

    BuildMenu();
    StatusBar1 = new TStatusBar(this);
    StatusBar1->SetParent(this);
    StatusBar1->Panels()->Add()->SetWidth(200);
    StatusBar1->Panels()->Add()->SetWidth(200);
    StatusBar1->Panels()->Items(0)->SetText("就绪");

    PageControl1 = new TPageControl(this);
    PageControl1->SetParent(this);
    PageControl1->SetAlign(alClient);
    ControlsSheet = new TTabSheet(this);
    ControlsSheet->SetPageControl(PageControl1);
    ControlsSheet->SetCaption("控件");
    GridSheet = new TTabSheet(this);
    GridSheet->SetPageControl(PageControl1);
    GridSheet->SetCaption("表格");
    BuildControlsPage();
    BuildGridPage();
    ListPage = std::make_unique<TDemoListPage>(this, PageControl1,
                                               [this](const std::string& text) { ShowAction(text); });
    DatesSheet = new TTabSheet(this);
    DatesSheet->SetPageControl(PageControl1);
    DatesSheet->SetCaption("日期和 MDI");
    DatesPage = std::make_unique<TDatesPage>(*this, *DatesSheet, *ViewMenu,
                                             [this](const std::string& text) { ShowAction(text); });
    ButtonsPage = std::make_unique<TDemoButtonsPage>(this, PageControl1,
                                                     [this](const std::string& text) { ShowAction(text); });
    PageControl1->SetActivePageIndex(0);
}

void TDemoForm::BuildMenu() {
    MainMenu1 = new TMainMenu(this);
    FileMenu = Item(this, "文件(&F)");
    OpenItem = Item(this, "打开(&O)", ShortCut('O', {ssCtrl}));
    ExitItem = Item(this, "退出(&X)");
    FileMenu->Add(OpenItem);
    FileMenu->Add(Item(this, "-"));
    FileMenu->Add(ExitItem);
    ViewMenu = Item(this, "查看(&V)");
    GridItem = Item(this, "表格页(&G)", ShortCut(VK_F2, {}));
    ViewMenu->Add(GridItem);
    auto* checked = Item(this, "显示提示(&H)");
    checked->SetChecked(true);
    ViewMenu->Add(checked);
    MainMenu1->Items()->Add(FileMenu);
    MainMenu1->Items()->Add(ViewMenu);
    SetMenu(MainMenu1);

    OpenItem->OnClick = [this](TObject*) {
        ++m_opened;
        ShowAction("打开");
    };
    ExitItem->OnClick = [this](TObject*) { Close(); };
    GridItem->OnClick = [this](TObject*) { PageControl1->SetActivePage(GridSheet); };
    checked->OnClick = [this, checked](TObject*) {
        checked->SetChecked(!checked->Checked());
        SetShowHint(checked->Checked());
    };
}

void TDemoForm::BuildControlsPage() {
    GroupBox1 = Place<TGroupBox>(ControlsSheet, 8, 8, 180, 130);
    GroupBox1->SetCaption("按钮");
    Button1 = Place<TButton>(GroupBox1, 12, 20, 75, 25);
    Button1->SetCaption("确定");
    Button1->SetDefault(true);
    Button1->SetHint("一个按钮|按下它会在状态栏里说一声");
    Button1->SetShowHint(true);
    Button1->OnClick = [this](TObject*) { ShowAction("按钮"); };
    CheckBox1 = Place<TCheckBox>(GroupBox1, 12, 54, 150, 17);
    CheckBox1->SetCaption("复选框");
    RadioButton1 = Place<TRadioButton>(GroupBox1, 12, 78, 150, 17);
    RadioButton1->SetCaption("单选一");
    RadioButton1->SetChecked(true);
    RadioButton2 = Place<TRadioButton>(GroupBox1, 12, 100, 150, 17);
    RadioButton2->SetCaption("单选二");

    Edit1 = Place<TEdit>(ControlsSheet, 200, 12, 150, 21);
    Memo1 = Place<TMemo>(ControlsSheet, 8, 150, 180, 90);
    Memo1->SetScrollBars(ssVertical);
    ComboBox1 = Place<TComboBox>(ControlsSheet, 200, 44, 150, 21);
    for (const char* text : {"TCP", "UDP", "TCP/UDP"})
        ComboBox1->Items()->Add(text);
    ComboBox1->SetItemIndex(0);
    ListBox1 = Place<TListBox>(ControlsSheet, 200, 76, 150, 90);
    for (const char* text :
         {"进程连接列表", "IP数据库维护", "本地IP", "远程IP", "所属地区", "连接状态", "进程ID", "进程名"})
        ListBox1->Items()->Add(text);
    Panel1 = Place<TPanel>(ControlsSheet, 200, 176, 150, 64);
    Panel1->SetCaption("面板");
    ScrollBar1 = Place<TScrollBar>(ControlsSheet, 8, 252, 180, 17);
    ProgressBar1 = Place<TProgressBar>(ControlsSheet, 200, 252, 150, 17);
    ProgressBar1->SetPosition(60);
    TrackBar1 = Place<TTrackBar>(ControlsSheet, 362, 12, 170, 40);
    TrackBar1->SetPosition(3);
    Edit2 = Place<TEdit>(ControlsSheet, 362, 64, 60, 21);
    UpDown1 = Place<TUpDown>(ControlsSheet, 422, 64, 17, 21);
    UpDown1->SetAssociate(Edit2);
    UpDown1->SetPosition(5);

    // Tab goes from the edit to the memo, as the display test expects.
    Edit1->SetTabOrder(0);
    Memo1->SetTabOrder(1);
}

void TDemoForm::BuildGridPage() {
    StringGrid1 = new TStringGrid(this);
    StringGrid1->SetParent(GridSheet);
    StringGrid1->SetAlign(alClient);
    StringGrid1->SetColCount(5);
    StringGrid1->SetRowCount(60);
    StringGrid1->SetDefaultRowHeight(20);
    TGridOptions options = StringGrid1->Options();
    options.Include(goRowSelect);
    options.Include(goColSizing);
    options.Include(goThumbTracking);
    StringGrid1->SetOptions(options);
    const char* titles[] = {" 协议", " 本地IP", " 远程IP", " 连接状态", " 进程名"};
    for (int col = 0; col < 5; ++col)
        StringGrid1->SetCells(col, 0, titles[col]);
    for (int row = 1; row < 60; ++row) {
        StringGrid1->SetCells(0, row, row % 3 ? "TCP" : "UDP");
        StringGrid1->SetCells(1, row, Format("127.0.0.1:%d", 8000 + row));
        StringGrid1->SetCells(2, row, Format("10.0.0.%d:443", row));
        StringGrid1->SetCells(3, row, "ESTABLISHED");
        StringGrid1->SetCells(4, row, "demo.exe");
    }
}

void TDemoForm::ShowAction(const std::string& text) {
    StatusBar1->Panels()->Items(1)->SetText(text);
}

std::string TDemoForm::StateReport() const {
    std::string report;
    const auto line = [&report](const char* name, const std::string& value) {
        report += name;
        report += '=';
        report += value;
        report += '\n';
    };
    line("Edit1.Text", Edit1->Text());
    line("Memo1.Text", Memo1->Text());
    line("ListBox1.ItemIndex", std::to_string(ListBox1->ItemIndex()));
    line("CheckBox1.Checked", CheckBox1->Checked() ? "1" : "0");
    line("PageControl1.ActivePageIndex", std::to_string(PageControl1->ActivePageIndex()));
    line("StringGrid1.TopRow", std::to_string(StringGrid1->TopRow()));
    line("StringGrid1.ColWidths0", std::to_string(StringGrid1->ColWidths(0)));
    line("OpenItem.Clicks", std::to_string(m_opened));
    report += ListPage->StateReport();
    report += DatesPage->StateReport();
    report += ButtonsPage->StateReport();
    return report;
}
