#include "DemoListPage.h"

#include "core/Format.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"

#include <memory>

namespace {

constexpr int ImageSize = 16;

// One image of the tool bar, drawn on magenta (the transparent colour).
void AddImage(TImageList* images, const std::function<void(TCanvas&)>& draw) {
    TBitmap bitmap;
    bitmap.SetPixelFormat(pf24bit);
    bitmap.SetWidth(ImageSize);
    bitmap.SetHeight(ImageSize);
    TCanvas& canvas = *bitmap.Canvas();
    canvas.Brush()->SetColor(clFuchsia);
    canvas.FillRect(TRect{0, 0, ImageSize, ImageSize});
    draw(canvas);
    images->AddMasked(&bitmap, clFuchsia);
}

void Box(TCanvas& canvas, TColor colour, const TRect& rect) {
    canvas.Brush()->SetColor(colour);
    canvas.FillRect(rect);
}

void Arrow(TCanvas& canvas, bool up) {
    canvas.Brush()->SetColor(clNavy);
    canvas.Pen()->SetColor(clNavy);
    if (up)
        canvas.Polygon({Point(8, 2), Point(14, 9), Point(2, 9)});
    else
        canvas.Polygon({Point(2, 6), Point(14, 6), Point(8, 13)});
    Box(canvas, clNavy, up ? TRect{6, 9, 10, 14} : TRect{6, 2, 10, 6});
}

const char* const Titles[] = {"协议", "本地地址", "远程地址", "状态", "进程"};
const int Widths[] = {50, 120, 120, 100, 90};

} // namespace

TDemoListPage::TDemoListPage(TComponent* owner, TPageControl* pages,
                             std::function<void(const std::string&)> showAction)
    : m_showAction(std::move(showAction)) {
    Sheet = new TTabSheet(owner);
    Sheet->SetPageControl(pages);
    Sheet->SetCaption("列表");
    BuildImages(owner);
    // The top-aligned bars stack in the order they are made.
    BuildToolBar(owner);
    BuildHeader(owner);
    BuildList(owner);
}

void TDemoListPage::BuildImages(TComponent* owner) {
    Images = new TImageList(owner);
    AddImage(Images, [](TCanvas& canvas) {
        Box(canvas, clBlack, TRect{3, 1, 13, 15});
        Box(canvas, clWhite, TRect{4, 2, 12, 14});
    });
    AddImage(Images, [](TCanvas& canvas) {
        canvas.Pen()->SetColor(clRed);
        canvas.Pen()->SetWidth(2);
        canvas.MoveTo(3, 3);
        canvas.LineTo(13, 13);
        canvas.MoveTo(13, 3);
        canvas.LineTo(3, 13);
    });
    AddImage(Images, [](TCanvas& canvas) {
        Box(canvas, clGray, TRect{1, 1, 15, 15});
        Box(canvas, clWhite, TRect{2, 2, 15, 15});
        for (int line = 5; line < 15; line += 4) {
            Box(canvas, clGray, TRect{line, 2, line + 1, 15});
            Box(canvas, clGray, TRect{2, line, 15, line + 1});
        }
    });
    AddImage(Images, [](TCanvas& canvas) {
        Box(canvas, clTeal, TRect{1, 6, 15, 10});
        Box(canvas, clGray, TRect{1, 2, 15, 4});
        Box(canvas, clGray, TRect{1, 12, 15, 14});
    });
    AddImage(Images, [](TCanvas& canvas) { Arrow(canvas, true); });
    AddImage(Images, [](TCanvas& canvas) { Arrow(canvas, false); });
    AddImage(Images, [](TCanvas& canvas) {
        for (int row = 2; row < 15; row += 4) {
            Box(canvas, clGreen, TRect{1, row, 4, row + 3});
            Box(canvas, clBlack, TRect{6, row + 1, 15, row + 2});
        }
    });
}

void TDemoListPage::BuildToolBar(TComponent* owner) {
    ToolBar1 = new TToolBar(owner);
    ToolBar1->SetParent(Sheet);
    ToolBar1->SetFlat(true);
    ToolBar1->SetList(true);
    ToolBar1->SetShowCaptions(true);
    ToolBar1->SetImages(Images);
    ToolBar1->SetTabStop(true);
    const auto button = [&](const std::string& caption, int image, TToolButtonStyle style) {
        auto* made = new TToolButton(owner);
        made->SetCaption(caption);
        made->SetImageIndex(image);
        made->SetStyle(style);
        made->SetParent(ToolBar1);
        return made;
    };
    const auto separator = [&] { button("", -1, tbsSeparator); };
    AddButton = button("新建", 0, tbsButton);
    AddButton->SetHint("新建|在列表末尾加一行");
    DeleteButton = button("删除", 1, tbsButton);
    DeleteButton->SetHint("删除|删除选中的行");
    separator();
    GridButton = button("网格", 2, tbsCheck);
    GridButton->SetDown(true);
    RowButton = button("整行", 3, tbsCheck);
    RowButton->SetDown(true);
    separator();
    AscendingButton = button("升序", 4, tbsCheck);
    DescendingButton = button("降序", 5, tbsCheck);
    AscendingButton->SetGrouped(true);
    DescendingButton->SetGrouped(true);
    AscendingButton->SetDown(true);
    separator();
    ViewButton = button("视图", 6, tbsDropDown);

    ViewMenu = new TPopupMenu(owner);
    for (const char* caption : {"全部", "TCP", "UDP"}) {
        auto* item = new TMenuItem(owner);
        item->SetCaption(caption);
        item->SetRadioItem(true);
        item->SetChecked(m_view == caption);
        item->OnClick = [this, item](TObject*) {
            m_view = item->Caption();
            item->SetChecked(true);
            m_showAction("视图: " + m_view);
        };
        ViewMenu->Items()->Add(item);
    }
    ViewButton->SetDropdownMenu(ViewMenu);

    AddButton->OnClick = [this](TObject*) {
        AddRow(ListView1->Items()->Count() + 1);
        ++m_added;
        ListView1->Items()->Item(ListView1->Items()->Count() - 1)->MakeVisible(false);
        m_showAction("新建一行");
    };
    DeleteButton->OnClick = [this](TObject*) {
        for (int index = ListView1->Items()->Count() - 1; index >= 0; --index) {
            if (ListView1->Items()->Item(index)->Selected())
                ListView1->Items()->Delete(index);
        }
        m_showAction("删除选中的行");
    };
    GridButton->OnClick = [this](TObject*) { ListView1->SetGridLines(GridButton->Down()); };
    RowButton->OnClick = [this](TObject*) { ListView1->SetRowSelect(RowButton->Down()); };
    AscendingButton->OnClick = [this](TObject*) { SortBy(m_sortColumn < 0 ? 0 : m_sortColumn); };
    DescendingButton->OnClick = [this](TObject*) { SortBy(m_sortColumn < 0 ? 0 : m_sortColumn); };
    ViewButton->OnClick = [this](TObject*) { m_showAction("视图: " + m_view); };
}

void TDemoListPage::BuildHeader(TComponent* owner) {
    HeaderControl1 = new THeaderControl(owner);
    HeaderControl1->SetParent(Sheet);
    for (const char* text : {"连接", "说明"}) {
        THeaderSection* section = HeaderControl1->Sections()->Add();
        section->SetText(text);
        section->SetWidth(120);
        section->SetMinWidth(40);
    }
    HeaderControl1->OnSectionClick = [this](THeaderControl*, THeaderSection* section) {
        m_showAction("表头: " + section->Text());
    };
    HeaderControl1->OnSectionResize = [this](THeaderControl*, THeaderSection* section) {
        m_showAction(Format("%s 宽 %d", section->Text().c_str(), section->Width()));
    };
}

void TDemoListPage::BuildList(TComponent* owner) {
    ListView1 = new TListView(owner);
    ListView1->SetParent(Sheet);
    ListView1->SetAlign(alClient);
    ListView1->SetMultiSelect(true);
    ListView1->SetRowSelect(true);
    ListView1->SetGridLines(true);
    ListView1->SetHideSelection(false);
    for (int column = 0; column < 5; ++column) {
        TListColumn* added = ListView1->Columns()->Add();
        added->SetCaption(Titles[column]);
        added->SetWidth(Widths[column]);
    }
    ListView1->Items()->BeginUpdate();
    for (int row = 1; row <= 60; ++row)
        AddRow(row);
    ListView1->Items()->EndUpdate();
    ListView1->OnSelectItem = [this](TObject*, TListItem* item, bool selected) {
        if (item && selected)
            m_showAction("选中 " + item->SubItems()->Strings(0));
    };
    ListView1->OnColumnClick = [this](TObject*, TListColumn* column) { SortByTitle(column->Index()); };
    ListView1->OnDblClick = [this](TObject*) {
        if (TListItem* item = ListView1->Selected())
            m_showAction("打开 " + item->SubItems()->Strings(0));
    };
}

void TDemoListPage::AddRow(int number) {
    TListItem* item = ListView1->Items()->Add();
    item->SetCaption(number % 3 ? "TCP" : "UDP");
    item->SubItems()->Add(Format("127.0.0.1:%d", 8000 + number));
    item->SubItems()->Add(Format("10.0.%d.%d:443", number / 250, number % 250));
    item->SubItems()->Add(number % 4 ? "ESTABLISHED" : "LISTEN");
    item->SubItems()->Add(Format("demo%d.exe", number % 7));
}

void TDemoListPage::SortByTitle(int column) {
    // A second click on the same title turns the order round.
    if (column == m_sortColumn)
        (AscendingButton->Down() ? DescendingButton : AscendingButton)->SetDown(true);
    SortBy(column);
}

void TDemoListPage::SortBy(int column) {
    m_sortColumn = column;
    const bool descending = DescendingButton->Down();
    ListView1->CustomSort([column, descending](TListItem* a, TListItem* b) {
        const std::string& first = column == 0 ? a->Caption() : a->SubItems()->TextOrEmpty(column - 1);
        const std::string& second = column == 0 ? b->Caption() : b->SubItems()->TextOrEmpty(column - 1);
        const int order = first.compare(second);
        return descending ? -order : order;
    });
    m_showAction(Format("按%s%s排序", Titles[column], descending ? "降序" : "升序"));
}

std::string TDemoListPage::StateReport() const {
    std::string report;
    const auto line = [&report](const char* name, const std::string& value) {
        report += name;
        report += '=';
        report += value;
        report += '\n';
    };
    line("ListView1.Count", std::to_string(ListView1->Items()->Count()));
    line("ListView1.ItemIndex", std::to_string(ListView1->ItemIndex()));
    line("ListView1.SelCount", std::to_string(ListView1->SelCount()));
    line("ListView1.SortColumn", std::to_string(m_sortColumn));
    line("ListView1.First",
         ListView1->Items()->Count() ? ListView1->Items()->Item(0)->SubItems()->TextOrEmpty(0) : "");
    line("ListView1.GridLines", ListView1->GridLines() ? "1" : "0");
    line("ToolBar1.Added", std::to_string(m_added));
    line("ToolBar1.Descending", DescendingButton->Down() ? "1" : "0");
    line("ToolBar1.View", m_view);
    line("HeaderControl1.Width0", std::to_string(HeaderControl1->Sections()->Items(0)->Width()));
    return report;
}
