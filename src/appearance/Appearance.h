#pragma once

class QUrl;
class QWidget;
struct Session;

// Skins 0–5 (5 is 夜间, the night skin): the skin is loaded and its index stored; another
// index is only stored.
inline constexpr int SkinCount = 6;
inline constexpr int NightSkin = 5;
void ApplySkin(Session& session, int index);
// The stored skin index (its whole part).
int StoredSkin(Session& session);
// Opens the study-material folder beside the program, or says where it should be.
void OpenStudyFolder(Session& session, QWidget* owner);
// Opens a web page in the browser, or shows its address.
void OpenLink(Session& session, QWidget* owner, const QUrl& url);
