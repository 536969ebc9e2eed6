#pragma once

class CFileChooser;
class CPrompter;

// The modal helpers every screen is given: message boxes and file dialogs.
// The program passes real ones; tests and tools pass scripted ones.
struct CUiServices
{
    CPrompter &prompter;
    CFileChooser &files;
};
