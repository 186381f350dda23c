#pragma once
// The skin the program's windows wear: the skin data component each window carries (the
// default skin stored in it, as the window's description stores it), and another skin archive
// chosen at start (`quillmere --skin FILE`).

#include <string>

class TComponent;
class TSkinData;

// A skin data component of the form, named `name`: active, skinning the program's main form
// type with every kind of control the default set names, holding the default skin.
TSkinData* CreateStoredSkinData(TComponent* form, const std::string& name);

// Wears the skin archive at `path` in place of the one worn now. A missing file or one that is
// no readable skin changes nothing; the answer is then the message to show, else empty.
std::string WearSkinFile(TSkinData& skinData, const std::string& path);
