#include "app/quillstack_app.h"

#include <commctrl.h>

#include "app/about_dlg.h"
#include "app/main_frame.h"
#include "data/quillstack_doc.h"
#include "res/resource.h"
#include "view/quillstack_view.h"

namespace {

const wchar_t kInstanceAtom[] = L"Quillstack ,Inkwell Works, 2001/1/1";

}  // namespace

CQuillstackApp* TheApp() {
    return static_cast<CQuillstackApp*>(fw::WinApp::Current());
}

CQuillstackApp::~CQuillstackApp() {
    ReleaseInstanceAtom();
}

bool CQuillstackApp::InitInstance() {
    ClaimInstanceAtom();

    // The common controls in their current look, for every dialog.
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_STANDARD_CLASSES | ICC_BAR_CLASSES | ICC_TAB_CLASSES};
    InitCommonControlsEx(&controls);

    fw::DocTemplate docTemplate;
    docTemplate.resourceId = IDR_MAINFRAME;
    docTemplate.newDocument = [] { return std::make_unique<CQuillstackDoc>(); };
    docTemplate.newFrame = [] { return std::make_unique<CMainFrame>(); };
    docTemplate.newView = [this] { return std::make_unique<CQuillstackView>(m_bFirstInstance); };
    SetDocTemplate(std::move(docTemplate));

    if (!ProcessShellCommand()) return false;

    HWND main = MainFrame()->Hwnd();
    ShowWindow(main, SW_SHOW);
    UpdateWindow(main);
    return true;
}

void CQuillstackApp::ExitInstance() {
    fw::WinApp::ExitInstance();
    ReleaseInstanceAtom();
}

bool CQuillstackApp::OnCmdMsg(UINT id, fw::CommandCall call) {
    switch (id) {
    case ID_APP_ABOUT:
        return fw::Handle(call, [this] { OnAppAbout(); });
    default:
        return fw::WinApp::OnCmdMsg(id, call);
    }
}

void CQuillstackApp::ClaimInstanceAtom() {
    if (GlobalFindAtomW(kInstanceAtom) == 0) {
        m_atomInstance = GlobalAddAtomW(kInstanceAtom);
        m_bFirstInstance = true;
    } else {
        m_bFirstInstance = false;
    }
}

void CQuillstackApp::ReleaseInstanceAtom() {
    if (m_bFirstInstance && m_atomInstance != 0) {
        GlobalDeleteAtom(m_atomInstance);
        m_atomInstance = 0;
    }
}

void CQuillstackApp::OnAppAbout() {
    CAboutDlg about;
    about.DoModal(MainFrame() ? MainFrame()->Hwnd() : nullptr);
}
