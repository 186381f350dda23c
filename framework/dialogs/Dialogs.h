#pragma once
// The common dialogs as components: a dialog keeps its settings between uses and Execute
// shows the platform's dialog, owned by the active form's window, until the user decides.
// TSaveDialog asks for the name of a file to write.

#include "framework/controls/Component.h"
#include "platform/base/WinTypes.h"

#include <string>

class TCommonDialog : public TComponent {
public:
    static const TClass& ClassInfo();
    const TClass& ClassType() const override { return ClassInfo(); }

    explicit TCommonDialog(TComponent* owner) : TComponent(owner) {}

    // True when the user confirmed; false when the user cancelled or the dialog could not open.
    virtual bool Execute() = 0;

protected:
    // The window the dialog belongs to: the active form's, or the main form's.
    static HWND OwnerWindow();
};

enum TOpenOption {
    ofReadOnly,
    ofOverwritePrompt,
    ofHideReadOnly,
    ofNoChangeDir,
    ofShowHelp,
    ofNoValidate,
    ofAllowMultiSelect,
    ofExtensionDifferent,
    ofPathMustExist,
    ofFileMustExist,
    ofCreatePrompt,
    ofShareAware,
    ofNoReadOnlyReturn,
    ofNoTestFileCreate,
    ofNoNetworkButton,
    ofNoLongNames,
    ofNoDereferenceLinks,
    ofEnableSizing
};
using TOpenOptions = TSet<TOpenOption>;

const TEnumInfo& OpenOptionIdents();

class TSaveDialog : public TCommonDialog {
public:
    static const TClass& ClassInfo();
    const TClass& ClassType() const override { return ClassInfo(); }

    explicit TSaveDialog(TComponent* owner) : TCommonDialog(owner) {}

    // Appended (after a '.') to a name the user types without an extension.
    const std::string& DefaultExt() const { return m_defaultExt; }
    void SetDefaultExt(const std::string& extension);
    // Pairs of a description and its patterns, all separated by '|':
    // "文本文件|*.txt|所有文件|*.*".
    const std::string& Filter() const { return m_filter; }
    void SetFilter(const std::string& filter) { m_filter = filter; }
    // The pair shown first, from 1; after Execute the one the user chose.
    int FilterIndex() const { return m_filterIndex; }
    void SetFilterIndex(int index) { m_filterIndex = index; }
    // The name offered first; after Execute the full path the user chose.
    const std::string& FileName() const { return m_fileName; }
    void SetFileName(const std::string& name) { m_fileName = name; }
    const std::string& InitialDir() const { return m_initialDir; }
    void SetInitialDir(const std::string& folder) { m_initialDir = folder; }
    // The caption; the platform's own when empty.
    const std::string& Title() const { return m_title; }
    void SetTitle(const std::string& title) { m_title = title; }
    TOpenOptions Options() const { return m_options; }
    void SetOptions(TOpenOptions options) { m_options = options; }

    bool Execute() override;

private:
    DWORD Flags() const;

    std::string m_defaultExt;
    std::string m_filter;
    int m_filterIndex = 1;
    std::string m_fileName;
    std::string m_initialDir;
    std::string m_title;
    TOpenOptions m_options{ofHideReadOnly, ofEnableSizing};
};
