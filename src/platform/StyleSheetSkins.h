#pragma once

#include "Layer.h"

#include "Platform.h"

// Our skin format: a skin file is a Qt style sheet; a skin folder holds an ini file whose
// [Skin] StyleSheet entry names the sheet beside it. A loaded skin restyles every window.
class StyleSheetSkins : public SkinEngine {
  public:
    bool LoadSkin(const QString& stylePath, const QString& iniName) override;
    void ApplyWindow(QWidget* window) override;
    quint32 ApplyOptions() const override { return options_; }
    void SetApplyOptions(quint32 options) override { options_ = options; }

    // The sheet a skin path names, or an empty text when it cannot be read.
    static QString readSheet(const QString& stylePath, const QString& iniName);

  private:
    quint32 options_ = 0;
};
