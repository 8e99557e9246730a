// The Website Wizard: eight pages in a wizard sheet over a new project window. The first
// page's Next builds the sample site; every later page edits it live, each change as one
// edit of the project.
#pragma once
#include "document/WizardState.h"
#include "framework/ui/PropertySheet.h"

#include <functional>

class CDocument;
class CKJDoc;
class CProjectHolder;

// Installed scalable font families that are not symbol fonts, sorted.
std::vector<CString> WizardFontFamilies();

// What every page but the last works on.
struct CWizardTarget {
    CKJDoc* doc = nullptr;
    CWizardState* state = nullptr;
    // The window document whose views show the project (hint, hint object).
    std::function<void(long hint, void* object)> update;
};

class CWizardPage : public CPropertyPage {
public:
    explicit CWizardPage(const CWizardTarget& target) : m_target(target) {}
    BOOL OnInitDialog() override;

    // The project and the record the page works on.
    CKJDoc& Doc() const { return *m_target.doc; }
    CWizardState& State() const { return *m_target.state; }

protected:
    // One live change of the site: one edit, the project marked, one repaint.
    void Edit(const std::function<void()>& change);
    void SetButtons(UINT flags);
    void FillFontList(int id, const CString& selected);

    CWizardTarget m_target;
};

class DWizardPages : public CWizardPage {
public:
    explicit DWizardPages(const CWizardTarget& target);
    BOOL OnInitDialog() override;
    BOOL OnSetActive() override;
    void DoDataExchange(CDataExchange* pDX) override;
    int OnWizardNext() override;
};

class DWizardCompany : public CWizardPage {
public:
    explicit DWizardCompany(const CWizardTarget& target);
    BOOL OnSetActive() override;
    BOOL OnKillActive() override;
};

class DWizard1A : public CWizardPage {
public:
    explicit DWizard1A(const CWizardTarget& target);
    BOOL OnInitDialog() override;
    BOOL OnSetActive() override;
    void DoDataExchange(CDataExchange* pDX) override;
    // "Change Image" and "Browse My Pictures": a picture from folder.
    void ChooseMainImage(const CString& folder);
    // "Create Slideshow": the New Slider dialog, then the slider in the main image's place.
    void CreateSlideshow();
};

class DWizardButtons : public CWizardPage {
public:
    explicit DWizardButtons(const CWizardTarget& target);
    BOOL OnInitDialog() override;
    BOOL OnSetActive() override;
    void DoDataExchange(CDataExchange* pDX) override;

private:
    void LookChanged();
};

class DWizardSlogan : public CWizardPage {
public:
    explicit DWizardSlogan(const CWizardTarget& target);
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;

private:
    void SloganChanged(const std::function<void(CArtisticTextItem&)>& change, bool anchor = true);
};

class DWizardBackground : public CWizardPage {
public:
    explicit DWizardBackground(const CWizardTarget& target);
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;

private:
    void ShowThemeControls();
};

class DWizardContact : public CWizardPage {
public:
    explicit DWizardContact(const CWizardTarget& target);
    BOOL OnInitDialog() override;
    BOOL OnSetActive() override;
    void DoDataExchange(CDataExchange* pDX) override;
    // A refused address keeps the page.
    int OnWizardNext() override;

    int m_nFormKind = 1;
    CString m_strEmail;
    CContactFormOptions m_options = DefaultContactFormOptions();

private:
    void KindChanged();
    // "Customize Form": the Insert Form dialog on a copy of the options.
    void CustomizeForm();
};

class DWizardFinish : public CPropertyPage {
public:
    DWizardFinish();
    BOOL OnSetActive() override;
};

// The placeholder address the contact page offers when none was stored.
inline constexpr const char* kWizardPlaceholderEmail = "you@example.com";
// Where "Buy Photos" leads.
inline constexpr const char* kWizardPhotoShop = "https://www.shutterstock.com/";

// Runs the wizard over doc (the project of window document frameDoc); the result of the
// sheet (ID_WIZFINISH when it was finished).
int RunWebsiteWizard(CDocument& frameDoc, CKJDoc& doc);
