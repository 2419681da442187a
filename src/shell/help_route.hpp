// How the help reaches the person: the old viewer where the system has one, else the HTML page in the
// browser, at its contents or at its keyword index. Pure text.
#pragma once
#include <string>

namespace obsc32 {

// The page's anchor of the keyword index, which the help compiler writes; no context name can be it, as those
// hold no '-'.
inline constexpr char kHelpIndexAnchor[] = "keyword-index";

// Whether the system has a viewer for the old help format. Vista (6.0) and later ship none; the one once
// offered for Vista to 8.1 was a separate download, so those count as having none.
bool HasOldHelpViewer(unsigned majorVersion);

// "file:///C:/A%20B/OBSC32.HTM#anchor" for "C:\A B\OBSC32.HTM": the separators turned, the characters a URL
// would misread escaped; other characters stay as they are. No anchor, no '#'.
std::string FileUrl(const std::string& path, const std::string& anchor);

// The browser's command line for the URL, from its registered command: every "%1" or "%L" becomes the URL;
// "%*" (the further arguments) goes; a command with neither gets the URL quoted at its end.
std::string BrowserCommandLine(const std::string& registered, const std::string& url);

}  // namespace obsc32
