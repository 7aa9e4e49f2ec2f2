// Identifiers of the program's own resources, shared by the resource script and the code.
#pragma once

#define IDR_MAIN_MENU 101
#define IDR_FONT_CMU_ITALIC 102
#define IDR_FONT_CMU_ROMAN 103
#define IDR_FONT_LM_MATH 104
#define IDR_INTEGRAL_BLACK 106
#define IDR_INTEGRAL_GREEN 107
#define IDR_INTEGRAL_RED 108
