#pragma once

#include "../ui/Layer.h"

class QUrl;
class QWidget;
struct AppContext;

// Skins 0–5 (5 is 夜间, the night skin): the skin is loaded and its index stored; another
// index is only stored.
inline constexpr int SkinCount = 6;
inline constexpr int NightSkin = 5;
void ApplySkin(AppContext& session, int index);
// The stored skin index (its whole part).
int StoredSkin(AppContext& session);
// Opens the study-material folder beside the program, or says where it should be.
void OpenStudyFolder(AppContext& session, QWidget* owner);
// Opens a web page in the browser, or shows its address.
void OpenLink(AppContext& session, QWidget* owner, const QUrl& url);
