#include "DemoButtonsPage.h"

#include "framework/classes/TypInfo.h"

#include <memory>

namespace {

template <typename T>
T* Place(TComponent* owner, TWinControl* parent, int left, int top, int width, int height) {
    auto* control = new T(owner);
    control->SetParent(parent);
    control->SetBounds(left, top, width, height);
    return control;
}

// A 16 x 16 glyph of four text lines, aligned left (0), centred (1) or right (2), on olive,
// the colour its bottom-left pixel gives as transparent.
std::unique_ptr<TBitmap> AlignmentGlyph(int alignment) {
    auto glyph = std::make_unique<TBitmap>();
    glyph->SetPixelFormat(pf24bit);
    glyph->SetSize(16, 16);
    TCanvas* canvas = glyph->Canvas();
    canvas->Brush()->SetColor(clOlive);
    canvas->FillRect(Rect(0, 0, 16, 16));
    canvas->Brush()->SetColor(clBlack);
    for (int line = 0; line < 4; ++line) {
        const int length = line % 2 ? 8 : 12;
        const int left = alignment == 0 ? 2 : alignment == 1 ? 8 - length / 2 : 14 - length;
        canvas->FillRect(Rect(left, 3 + line * 3, left + length, 5 + line * 3));
    }
    return glyph;
}

const char* const MediaWords[] = {"播放", "暂停", "停止", "下一首", "上一首", "前进", "后退", "录音", "弹出"};

} // namespace

const TClass& TSearchFrame::ClassInfo() {
    static const TClass info("TSearchFrame", &TFrame::ClassInfo());
    return info;
}

TSearchFrame::TSearchFrame(TComponent* owner) : TFrame(owner) {
    SetBounds(0, 0, 262, 60);
    SearchEdit = Place<TEdit>(this, this, 4, 6, 160, 21);
    FindButton = Place<TBitBtn>(this, this, 172, 4, 86, 25);
    FindButton->SetCaption("查找(&F)");
    MatchCaseBox = Place<TCheckBox>(this, this, 4, 36, 160, 17);
    MatchCaseBox->SetCaption("区分大小写");
}

TDemoButtonsPage::TDemoButtonsPage(TComponent* owner, TPageControl* pages,
                                   std::function<void(const std::string&)> showAction)
    : m_showAction(std::move(showAction)) {
    Sheet = new TTabSheet(owner);
    Sheet->SetPageControl(pages);
    Sheet->SetCaption("按钮和容器");
    BuildButtons(owner);
    BuildContainers(owner);
}

void TDemoButtonsPage::BuildButtons(TComponent* owner) {
    ToolPanel = Place<TPanel>(owner, Sheet, 8, 8, 250, 30);
    TSpeedButton** alignments[] = {&AlignLeftButton, &AlignCenterButton, &AlignRightButton};
    const char* hints[] = {"左对齐", "居中", "右对齐"};
    for (int i = 0; i < 3; ++i) {
        TSpeedButton* button = Place<TSpeedButton>(owner, ToolPanel, 3 + i * 25, 3, 24, 24);
        button->SetFlat(true);
        button->SetGroupIndex(1);
        button->SetGlyph(AlignmentGlyph(i).get());
        button->SetHint(hints[i]);
        button->OnClick = [this, hint = std::string(hints[i])](TObject*) { m_showAction(hint); };
        *alignments[i] = button;
    }
    AlignLeftButton->SetDown(true);
    BoldButton = Place<TSpeedButton>(owner, ToolPanel, 86, 3, 64, 24);
    BoldButton->SetCaption("粗体(&B)");
    BoldButton->SetGroupIndex(2);
    BoldButton->SetAllowAllUp(true);
    BoldButton->OnClick = [this](TObject*) { m_showAction(BoldButton->Down() ? "粗体" : "常规"); };

    const auto bitButton = [&](TBitBtnKind kind, int left, int top, int width, int height) {
        auto* button = Place<TBitBtn>(owner, Sheet, left, top, width, height);
        button->SetKind(kind);
        // A demo form is not a dialog: the buttons end nothing.
        button->SetModalResult(mrNone);
        button->OnClick = [this, button](TObject*) {
            ++m_bitButtonClicks;
            m_showAction(button->Caption());
        };
        return button;
    };
    OkButton = bitButton(bkOK, 8, 46, 80, 25);
    CancelButton = bitButton(bkCancel, 93, 46, 80, 25);
    HelpButton = bitButton(bkHelp, 178, 46, 80, 25);
    HelpButton->SetEnabled(false);
    RetryButton = bitButton(bkRetry, 8, 78, 80, 48);
    RetryButton->SetLayout(blGlyphTop);
    CloseButton = bitButton(bkClose, 93, 78, 80, 25);
    CloseButton->SetHint("关闭演示窗口");
}

void TDemoButtonsPage::BuildContainers(TComponent* owner) {
    RadioGroup1 = Place<TRadioGroup>(owner, Sheet, 8, 134, 250, 82);
    RadioGroup1->SetCaption("视图");
    RadioGroup1->SetColumns(2);
    for (const char* text : {"TCP和UDP", "只显示TCP", "只显示UDP", "远程TCP"})
        RadioGroup1->Items()->Add(text);
    RadioGroup1->SetItemIndex(3);
    RadioGroup1->OnClick = [this](TObject*) {
        m_showAction("视图: " + RadioGroup1->Items()->Strings(RadioGroup1->ItemIndex()));
    };

    NotebookPanel = Place<TPanel>(owner, Sheet, 270, 8, 262, 48);
    NotebookPanel->SetBevelOuter(bvLowered);
    TabSet1 = Place<TTabSet>(owner, Sheet, 270, 56, 262, 21);
    for (const char* month :
         {"一月", "二月", "三月", "四月", "五月", "六月", "七月", "八月", "九月", "十月", "十一月", "十二月"})
        TabSet1->Tabs()->Add(month);
    TabSet1->OnClick = [this](TObject*) {
        const std::string month = TabSet1->Tabs()->Strings(TabSet1->TabIndex());
        NotebookPanel->SetCaption(month + "的记录");
        m_showAction("标签: " + month);
    };
    TabSet1->SetTabIndex(0);
    NotebookPanel->SetCaption("一月的记录");

    MediaPlayer1 = Place<TMediaPlayer>(owner, Sheet, 270, 88, 262, 30);
    // Stopped: what can start is enabled; there is nothing to record on or eject.
    MediaPlayer1->SetEnabledButtons(AllMediaButtons - TButtonSet{TMPBtnType::btPause, TMPBtnType::btStop,
                                                                 TMPBtnType::btRecord, TMPBtnType::btEject});
    MediaPlayer1->OnClick = [this](TObject*, TMPBtnType button) { MediaClicked(button); };

    SearchFrame1 = new TSearchFrame(owner);
    SearchFrame1->SetParent(Sheet);
    SearchFrame1->SetBounds(270, 130, 262, 60);
    SearchFrame1->FindButton->OnClick = [this](TObject*) {
        const std::string text = SearchFrame1->SearchEdit->Text();
        m_searches += m_searches.empty() ? text : ";" + text;
        m_showAction("查找: " + text);
    };
}

void TDemoButtonsPage::MediaClicked(TMPBtnType button) {
    using enum TMPBtnType;
    TButtonSet enabled = MediaPlayer1->EnabledButtons();
    switch (button) {
    case btPlay:
        enabled = enabled - TButtonSet{btPlay} + TButtonSet{btPause, btStop};
        break;
    case btPause:
        enabled = enabled - TButtonSet{btPause} + TButtonSet{btPlay};
        break;
    case btStop:
        enabled = enabled - TButtonSet{btPause, btStop} + TButtonSet{btPlay};
        break;
    default:
        break;
    }
    MediaPlayer1->SetEnabledButtons(enabled);
    const std::string name = MPBtnTypeIdents().NameOf(static_cast<int>(button));
    m_mediaClicks += m_mediaClicks.empty() ? name : "," + name;
    m_showAction(std::string("媒体: ") + MediaWords[static_cast<int>(button)]);
}

std::string TDemoButtonsPage::StateReport() const {
    std::string report;
    const auto line = [&report](const char* name, const std::string& value) {
        report += name;
        report += '=';
        report += value;
        report += '\n';
    };
    line("AlignCenterButton.Down", AlignCenterButton->Down() ? "1" : "0");
    line("AlignRightButton.Down", AlignRightButton->Down() ? "1" : "0");
    line("BoldButton.Down", BoldButton->Down() ? "1" : "0");
    line("BitButtons.Clicks", std::to_string(m_bitButtonClicks));
    line("RadioGroup1.ItemIndex", std::to_string(RadioGroup1->ItemIndex()));
    line("TabSet1.TabIndex", std::to_string(TabSet1->TabIndex()));
    line("TabSet1.FirstIndex", std::to_string(TabSet1->FirstIndex()));
    line("MediaPlayer1.Clicks", m_mediaClicks);
    line("MediaPlayer1.EnabledButtons", GetSetProp(MediaPlayer1, "EnabledButtons"));
    line("SearchFrame1.Searches", m_searches);
    return report;
}
