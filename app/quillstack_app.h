// The application object: tells the first running copy from later ones by a
// system-wide atom and makes the document, the frame and the view.
#pragma once

#include <windows.h>

#include "framework/app.h"

class CQuillstackApp : public fw::WinApp {
public:
    ~CQuillstackApp() override;

    // Only the copy that added the atom deletes it.
    ATOM m_atomInstance = 0;
    bool m_bFirstInstance = false;

protected:
    bool InitInstance() override;
    void ExitInstance() override;
    bool OnCmdMsg(UINT id, fw::CommandCall call) override;

private:
    void ClaimInstanceAtom();
    void ReleaseInstanceAtom();
    void OnAppAbout();
};

// The application object (null where there is none, as in unit tests), for
// the parts that ask whether this is the first running copy.
CQuillstackApp* TheApp();
