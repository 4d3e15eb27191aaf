#pragma once
// The few C signatures of PDFium's public interface that this program calls.
// PDFium is bound at run time, so its headers are not needed.

extern "C" {
typedef struct fpdf_document_t__* FPDF_DOCUMENT;
typedef struct fpdf_page_t__* FPDF_PAGE;
typedef struct fpdf_form_handle_t__* FPDF_FORMHANDLE;
typedef int FPDF_BOOL;
typedef unsigned long FPDF_DWORD;

struct FPDF_FILEWRITE {
    int version;
    int (*WriteBlock)(FPDF_FILEWRITE* self, const void* data, unsigned long size);
};

// Form-fill record. Only the leading members are named; the rest stays zero.
struct FPDF_FORMFILLINFO {
    int version;
    void (*Release)(FPDF_FORMFILLINFO*);
    void (*FFI_Invalidate)(FPDF_FORMFILLINFO*, FPDF_PAGE, double, double, double, double);
    void (*FFI_OutputSelectedRect)(FPDF_FORMFILLINFO*, FPDF_PAGE, double, double, double, double);
    void (*FFI_SetCursor)(FPDF_FORMFILLINFO*, int);
    int (*FFI_SetTimer)(FPDF_FORMFILLINFO*, int, void (*)(int));
    void (*FFI_KillTimer)(FPDF_FORMFILLINFO*, int);
    void* FFI_GetLocalTime;
    void* FFI_OnChange;
    void* FFI_GetPage;
    void* FFI_GetCurrentPage;
    void* FFI_GetRotation;
    void* FFI_ExecuteNamedAction;
    void (*FFI_SetTextFieldFocus)(FPDF_FORMFILLINFO*, const unsigned short*, FPDF_DWORD, FPDF_BOOL);
    void* FFI_DoURIAction;
    void* FFI_DoGoToAction;
    void* m_pJsPlatform;
    FPDF_BOOL xfa_disabled;
    void* reserved[48];  // later versions' callbacks, never used
};

struct FS_SIZEF {
    float width;
    float height;
};

constexpr unsigned long FPDF_ERR_SUCCESS = 0;
constexpr int FPDFDOC_AACTION_WC = 0x10;
constexpr int FORMTYPE_XFA_FULL = 2;
constexpr int FORMTYPE_XFA_FOREGROUND = 3;
}
