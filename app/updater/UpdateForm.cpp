#include "app/updater/UpdateForm.h"

#include "app/LocationText.h"
#include "app/ProgramSkin.h"
#include "core/Exception.h"
#include "framework/comctrls/ProgressBar.h"
#include "framework/forms/Application.h"
#include "framework/forms/Timer.h"
#include "framework/stdctrls/Buttons.h"
#include "framework/stdctrls/Memo.h"
#include "framework/stdctrls/Panels.h"

const TClass& TUpdateForm::ClassInfo() {
    static const TClass info("TUpdateForm", &TForm::ClassInfo());
    return info;
}

TUpdateForm::TUpdateForm(TComponent* owner)
    : TForm(owner), Sources(InstalledUpdateSources()), DatabaseFile(LocationDatabaseName) {
    SetName("UpdateForm");
    SetCaption("升级IP数据库");
    SetBorderStyle(bsDialog);
    SetPosition(poDesktopCenter);
    SetClientWidth(380);
    SetClientHeight(168);
    Font()->SetName("宋体");
    Font()->SetHeight(-12);
    SkinData1 = CreateStoredSkinData(this, "SkinData1");

    StepPanel = new TPanel(this);
    StepPanel->SetName("StepPanel");
    StepPanel->SetParent(this);
    StepPanel->SetBounds(12, 10, 356, 20);
    StepPanel->SetBevelOuter(bvNone);
    StepPanel->SetAlignment(taLeftJustify);
    StepPanel->SetCaption("准备升级……");

    ProgressBar1 = new TProgressBar(this);
    ProgressBar1->SetName("ProgressBar1");
    ProgressBar1->SetParent(this);
    ProgressBar1->SetBounds(12, 34, 356, 18);
    ProgressBar1->SetMax(100);

    ResultMemo = new TMemo(this);
    ResultMemo->SetName("ResultMemo");
    ResultMemo->SetParent(this);
    ResultMemo->SetBounds(12, 60, 356, 64);
    ResultMemo->SetReadOnly(true);
    ResultMemo->Lines()->Clear();

    CloseButton = new TButton(this);
    CloseButton->SetName("CloseButton");
    CloseButton->SetParent(this);
    CloseButton->SetBounds(293, 132, 75, 25);
    CloseButton->SetCaption("关闭");
    CloseButton->SetCancel(true);
    CloseButton->SetEnabled(false);
    CloseButton->OnClick = [this](TObject* sender) { CloseButtonClick(sender); };

    // The update starts from the loop once the window is on the screen, so its steps show.
    StartTimer = new TTimer(this);
    StartTimer->SetName("StartTimer");
    StartTimer->SetEnabled(false);
    StartTimer->SetInterval(50);
    StartTimer->OnTimer = [this](TObject* sender) { StartTimerTimer(sender); };
    OnShow = [this](TObject* sender) { FormShow(sender); };
}

void TUpdateForm::FormShow(TObject*) {
    if (!m_finished)
        StartTimer->SetEnabled(true);
}

void TUpdateForm::StartTimerTimer(TObject*) {
    StartTimer->SetEnabled(false);
    RunUpdate();
}

void TUpdateForm::CloseButtonClick(TObject*) {
    Close();
}

void TUpdateForm::ShowProgress(int percent, const std::string& step) {
    ProgressBar1->SetPosition(percent);
    StepPanel->SetCaption(step);
    Application()->ProcessMessages();
}

void TUpdateForm::RunUpdate() {
    try {
        UpdateReport report =
            UpdateDatabase(DatabaseFile, Sources,
                           [this](int percent, const std::string& step) { ShowProgress(percent, step); });
        ResultMemo->Lines()->SetText(UpdateReportText(report));
    } catch (const Exception& error) {
        StepPanel->SetCaption("升级失败，原数据库没有改动。");
        ResultMemo->Lines()->SetText(error.Message());
    }
    m_finished = true;
    CloseButton->SetEnabled(true);
    if (CloseButton->HandleAllocated() && Showing())
        CloseButton->SetFocus();
}
