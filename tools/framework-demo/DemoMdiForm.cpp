#include "DemoMdiForm.h"

#include "core/Format.h"

namespace {

TMenuItem* Item(TComponent* owner, const std::string& caption, TShortCut shortCut = scNone) {
    auto* item = new TMenuItem(owner);
    item->SetCaption(caption);
    item->SetShortCut(shortCut);
    return item;
}

} // namespace

TMdiDemoChild::TMdiDemoChild(TComponent* owner, const std::string& caption, const std::string& text)
    : TForm(owner) {
    SetFormStyle(fsMDIChild);
    SetCaption(caption);
    SetPosition(poDefaultPosOnly);
    SetBounds(0, 0, 260, 170);
    Memo1 = new TMemo(this);
    Memo1->SetParent(this);
    Memo1->SetAlign(alClient);
    Memo1->SetText(text);
}

TMdiDemoForm::TMdiDemoForm(TComponent* owner) : TForm(owner) {
    SetCaption("MDI 演示");
    SetFormStyle(fsMDIForm);
    SetBounds(60, 60, 520, 380);
    Font()->SetName("宋体");
    Font()->SetHeight(-12);

    MainMenu1 = new TMainMenu(this);
    FileMenu = Item(this, "文件(&F)");
    NewItem = Item(this, "新建(&N)", ShortCut('N', {ssCtrl}));
    CloseItem = Item(this, "关闭(&C)");
    FileMenu->Add(NewItem);
    FileMenu->Add(CloseItem);
    WindowMenu1 = Item(this, "窗口(&W)");
    CascadeItem = Item(this, "层叠(&C)");
    TileItem = Item(this, "平铺(&T)");
    ArrangeItem = Item(this, "排列图标(&A)");
    WindowMenu1->Add(CascadeItem);
    WindowMenu1->Add(TileItem);
    WindowMenu1->Add(ArrangeItem);
    MainMenu1->Items()->Add(FileMenu);
    MainMenu1->Items()->Add(WindowMenu1);
    SetMenu(MainMenu1);
    SetWindowMenu(WindowMenu1);

    NewItem->OnClick = [this](TObject*) { NewChild(); };
    CloseItem->OnClick = [this](TObject*) {
        if (TCustomForm* active = ActiveMDIChild())
            active->Close();
    };
    CascadeItem->OnClick = [this](TObject*) { Cascade(); };
    TileItem->OnClick = [this](TObject*) { Tile(); };
    ArrangeItem->OnClick = [this](TObject*) { ArrangeIcons(); };
}

TMdiDemoChild* TMdiDemoForm::NewChild() {
    ++m_made;
    auto* child = new TMdiDemoChild(this, Format("文档%d", m_made), Format("第 %d 个文档窗口。", m_made));
    child->AfterConstruction();
    child->Show();
    return child;
}

std::string TMdiDemoForm::StateReport() const {
    TCustomForm* active = ActiveMDIChild();
    std::string report = "MdiForm.Children=" + std::to_string(MDIChildCount()) + "\n";
    report += "MdiForm.Active=" + (active ? active->Caption() : std::string()) + "\n";
    report += std::string("MdiForm.Maximized=") +
              (active && active->WindowState() == wsMaximized ? "1" : "0") + "\n";
    return report;
}
