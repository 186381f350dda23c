#pragma once
// TUpdateForm: the database updater's window. Once shown it rebuilds "QQWry.Dat" in the current
// folder from the machine's GeoIP data, showing each step and a progress bar, and then the
// result: the old and new record counts and dates, or why nothing was changed.

#include "app/updater/DatabaseUpdate.h"
#include "framework/forms/Form.h"

class TButton;
class TMemo;
class TPanel;
class TProgressBar;
class TSkinData;
class TTimer;

class TUpdateForm : public TForm {
public:
    static const TClass& ClassInfo();
    const TClass& ClassType() const override { return ClassInfo(); }

    explicit TUpdateForm(TComponent* owner);

    TPanel* StepPanel;
    TProgressBar* ProgressBar1;
    TMemo* ResultMemo;
    TButton* CloseButton;
    TTimer* StartTimer;
    // The program's skin: the updater wears the same default skin as the program's window.
    TSkinData* SkinData1;

    // Where the new database comes from; the machine's own unless a test says otherwise.
    UpdateSources Sources;
    // The database that is replaced, in the current folder.
    std::string DatabaseFile;

    // True once the update ran, whether it succeeded or not.
    bool Finished() const { return m_finished; }

private:
    void FormShow(TObject* sender);
    void StartTimerTimer(TObject* sender);
    void CloseButtonClick(TObject* sender);
    void RunUpdate();
    void ShowProgress(int percent, const std::string& step);

    bool m_finished = false;
};
