// The main window's entries to chapter and wrong-question practice.
#include "../platform/Platform.h"
#include "../practice/frmMain.h"
#include "frmPart.h"
#include "frmWrongQt.h"

void frmMain::BtnPart_Click() {
    collapseCarChooser();
    frmPart part(*this);
    s.platform.showModal(&part);
    IsSequencePractice = false;
}

void frmMain::BtnWrongQuestion_Click() {
    collapseCarChooser();
    frmWrongQt* window = WrongQt();
    window->LoadAutoRemoveSetting();
    s.platform.showModal(window);
    IsSequencePractice = false;
}
