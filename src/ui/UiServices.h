#pragma once

class CFileChooser;
class CPrompter;
class CSettingsStore;

// What every screen is given: message boxes and file dialogs, and where its
// window keeps its size and column widths between openings. The program
// passes real ones; tests and tools pass scripted ones and, mostly, no
// settings, so that each window opens at its content's size.
struct CUiServices
{
    CPrompter &prompter;
    CFileChooser &files;
    CSettingsStore *windowSettings = nullptr;
};
