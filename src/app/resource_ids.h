// Identifiers of the program's own resources, shared by the resource script and the code.
#pragma once

// Icons: the program's, and the one its documents show (index 1 of kav.exe).
#define IDI_APP 1
#define IDI_DOCUMENT 2
#define IDR_MAIN_MENU 101
#define IDR_FONT_CMU_ITALIC 102
#define IDR_FONT_CMU_ROMAN 103
#define IDR_FONT_LM_MATH 104
