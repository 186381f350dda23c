#include "platform/process/ModuleTable.h"

#include "platform/base/LastError.h"
#include "platform/base/WinError.h"
#include "platform/controls/combobox/ComboBox.h"
#include "platform/process/Process.h"
#include "platform/process/ToolHelp.h"
#include "platform/sys/SystemInfo.h"
#include "platform/user/WinUser.h"

#include <cstring>
#include <string>
#include <strings.h>
#include <vector>

namespace {

struct Export {
    const char* name;
    FARPROC address;
};

struct LayerModule {
    const char* fileName; // lower case, with extension
    bool loadedAtStart;
    std::vector<Export> exports;
    int loadCount = 0;
};

template <typename Function>
FARPROC Entry(Function* function) {
    // Through the generic function type, which the compiler accepts as a neutral go-between.
    return reinterpret_cast<FARPROC>(reinterpret_cast<void (*)()>(function));
}

// Each area of the layer lists here the calls that the program looks up at run time.
std::vector<LayerModule>& Modules() {
    static std::vector<LayerModule> modules = {
        {"kernel32.dll",
         true,
         {{"CreateToolhelp32Snapshot", Entry(&CreateToolhelp32Snapshot)},
          {"Process32First", Entry(&Process32First)},
          {"Process32Next", Entry(&Process32Next)},
          {"OpenProcess", Entry(&OpenProcess)},
          {"GetVersion", Entry(&GetVersion)},
          {"GetVersionExA", Entry(&GetVersionExA)},
          {"GetTickCount", Entry(&GetTickCount)}}},
        {"psapi.dll",
         false,
         {{"EnumProcessModules", Entry(&EnumProcessModules)},
          {"GetModuleFileNameExA", Entry(&GetModuleFileNameExA)}}},
        {"user32.dll",
         true,
         {{"GetScrollBarInfo", Entry(&GetScrollBarInfo)},
          {"TrackMouseEvent", Entry(&TrackMouseEvent)},
          {"GetComboBoxInfo", Entry(&GetComboBoxInfo)}}},
    };
    return modules;
}

struct MainModuleTag {
    int unused;
} mainModule;

// "C:\dir\PSAPI" -> "psapi.dll"; a trailing "." means "no extension".
std::string NormalName(const char* name) {
    std::string text = name;
    std::size_t slash = text.find_last_of("\\/");
    if (slash != std::string::npos)
        text.erase(0, slash + 1);
    for (char& c : text) {
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    }
    if (text.ends_with('.'))
        text.pop_back();
    else if (text.find('.') == std::string::npos)
        text += ".dll";
    return text;
}

LayerModule* FindByName(const char* name) {
    std::string wanted = NormalName(name);
    for (LayerModule& module : Modules()) {
        if (wanted == module.fileName)
            return &module;
    }
    return nullptr;
}

LayerModule* FindByHandle(HMODULE handle) {
    for (LayerModule& module : Modules()) {
        if (reinterpret_cast<HMODULE>(&module) == handle)
            return &module;
    }
    return nullptr;
}

bool IsLoaded(const LayerModule& module) {
    return module.loadedAtStart || module.loadCount > 0;
}

} // namespace

HMODULE platform::MainModuleHandle() {
    return reinterpret_cast<HMODULE>(&mainModule);
}

HMODULE GetModuleHandleA(LPCSTR moduleName) {
    if (!moduleName)
        return platform::MainModuleHandle();
    LayerModule* module = FindByName(moduleName);
    if (!module || !IsLoaded(*module)) {
        SetLastError(ERROR_MOD_NOT_FOUND);
        return nullptr;
    }
    return reinterpret_cast<HMODULE>(module);
}

HMODULE LoadLibraryA(LPCSTR fileName) {
    LayerModule* module = fileName && *fileName ? FindByName(fileName) : nullptr;
    if (!module) {
        SetLastError(ERROR_MOD_NOT_FOUND);
        return nullptr;
    }
    ++module->loadCount;
    return reinterpret_cast<HMODULE>(module);
}

FARPROC GetProcAddress(HMODULE handle, LPCSTR procName) {
    if (handle == platform::MainModuleHandle() || (procName && IS_INTRESOURCE(procName))) {
        SetLastError(ERROR_PROC_NOT_FOUND);
        return nullptr;
    }
    LayerModule* module = FindByHandle(handle);
    if (!module || !IsLoaded(*module)) {
        SetLastError(ERROR_MOD_NOT_FOUND);
        return nullptr;
    }
    for (const Export& entry : module->exports) {
        if (procName && std::strcmp(entry.name, procName) == 0)
            return entry.address;
    }
    SetLastError(ERROR_PROC_NOT_FOUND);
    return nullptr;
}

BOOL FreeLibrary(HMODULE handle) {
    if (handle == platform::MainModuleHandle())
        return TRUE;
    LayerModule* module = FindByHandle(handle);
    if (!module || !IsLoaded(*module)) {
        SetLastError(ERROR_MOD_NOT_FOUND);
        return FALSE;
    }
    if (module->loadCount > 0)
        --module->loadCount;
    return TRUE;
}
