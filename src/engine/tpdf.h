#pragma once
#include <ostream>
#include <string>
#include <vector>

#include "engine/pdfium_api.h"

enum class TSaveOption { saNone, saIncremental, saNoIncremental, saRemoveSecurity };
enum class TPdfVersion { pvUnknown, pv10, pv11, pv12, pv13, pv14, pv15, pv16, pv17 };

// One PDFium document at a time: an input being read or an output being built.
// Every failure raises EPdfError; import and save report PDFium's refusal by
// their result.
class TPdf {
public:
    explicit TPdf(std::string name);
    ~TPdf();
    TPdf(const TPdf&) = delete;
    TPdf& operator=(const TPdf&) = delete;

    const std::string& Name() const { return FName; }

    const std::string& FileName() const { return FFileName; }
    void setFileName(const std::string& fileName);
    const std::string& Password() const { return FPassword; }
    void setPassword(const std::string& password);
    bool FormFill() const { return FFormFill; }
    void setFormFill(bool formFill);

    bool Active() const { return FDocument != nullptr; }
    void setActive(bool active);

    // The page count; for an opened document that declares pages it does not
    // have, the number of pages that exist.
    int PageCount() const;
    void CreateDocument();

    // Copies the pages named by range (PDFium's page-range text, 1-based) so
    // that the first becomes page pageNumber of this document.
    bool ImportPages(TPdf& source, const std::string& range, int pageNumber);
    // The same for a list of 1-based page numbers, in one PDFium call, so that
    // objects shared by those pages (fonts, images) are copied once.
    bool ImportPageList(TPdf& source, const std::vector<int>& pages, int pageNumber);
    bool ImportPreferences(TPdf& source);

    // Writes the document to fileName through a temporary file in the same
    // folder that replaces fileName only when complete. Raises when the file
    // cannot be created or PDFium refuses to write the document.
    bool SaveAs(const std::string& fileName, TSaveOption option, TPdfVersion version);
    bool SaveAs(std::ostream& stream, TSaveOption option, TPdfVersion version);

    int PageNumber() const { return FPageNumber; }
    void setPageNumber(int pageNumber);
    void ReloadPage();

    FPDF_DOCUMENT Handle() const { return FDocument; }

private:
    struct FormFillRecord {
        FPDF_FORMFILLINFO info;
        TPdf* owner;
    };

    void CheckActive() const;
    void CheckInactive() const;
    void OpenDocument();
    void RejectParentLoop();
    void CheckDeclaredPages();
    bool PageLoads(int index) const;
    void CloseDocument();
    void InitFormFill();
    void DoneFormFill();
    void ClosePage();
    void LoadXfaWhenPresent();

    std::string FName;
    std::vector<unsigned char> FBuffer;
    FPDF_DOCUMENT FDocument = nullptr;
    std::string FFileName;
    bool FFormFill = true;
    FormFillRecord FFormFillInfo{};
    FPDF_FORMHANDLE FFormHandle = nullptr;
    FPDF_PAGE FPage = nullptr;
    int FPageNumber = 0;
    int FExistingPages = -1;  // pages that load, when fewer than declared; -1 otherwise
    std::string FPassword;
};

// PDFium's text for a missing or wrong password; callers compare a failed
// open's message with it to decide whether to ask for one.
inline constexpr const char* PasswordErrorText = "Password required or incorrect password";

// Raises EPdfError with the text of PDFium's last error, or fallback when
// PDFium reports none, unless success is true.
void CheckPdfium(bool success, const std::string& fallback);
std::string PdfiumErrorText();
std::string PdfiumErrorText(unsigned long code);
