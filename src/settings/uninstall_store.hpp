// The uninstall's registry places: the Windows Uninstall entry and the hand-over from stage 1 to stage 2.
#pragma once
#include <string>

namespace obsc32 {

// Under HKEY_CURRENT_USER: lives only from stage 1's hand-over until stage 2 reads it.
inline constexpr char ScratchKey[] = "Software\\Unin_VANTE SOFT32";

struct HandOver {
    std::string File;    // the program file to delete
    std::string Title;   // stage 2's caption
    std::string RmDir;   // "n" keeps the folders
    std::string Color;   // window colour, a whole number
    std::string FColor;  // window font colour, likewise
    std::string RmTop;   // the highest folder the install made, "" when none
};

// Writes every value, creating the key; throws ui::Error naming what could not be written.
void WriteHandOver(const HandOver& h);
// Reads the key and deletes it; every value "" when there was none.
HandOver TakeHandOver();
void DeleteHandOver();

// The Uninstall entry's record of the highest folder the install made ("" when none, or no entry), from the
// user's own list when it holds the record, else the machine's.
std::string ReadMadeFolder();
// Whether RemoveUninstallEntry can remove every entry there is: false when one cannot be deleted, as the
// machine's cannot without administrator rights.
bool CanRemoveUninstallEntry();
// The entry goes from the machine's list and from the user's, wherever the install wrote it.
void RemoveUninstallEntry();

}  // namespace obsc32
