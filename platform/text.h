// Localized user-interface texts, fetched by number. Every text exists in
// four languages; the strings are 8-bit, in code page 1254 for Turkish and
// 1252 for the others. Portable: no Windows headers here.
#pragma once

#include "core/text_ids.h"

const int kLanguageCount = 4;  // 0 English, 1 Turkish, 2 French, 3 German

// Index of the language tr() reads; 0 (English) at start.
extern int g_language;

// Code page the current language's texts are written in; 1252 at start.
// Set once at start-up by the Unicode bridge from text_codepage_for_language.
extern int g_text_codepage;

// 1254 for Turkish, 1252 for every other index.
int text_codepage_for_language(int language);

// Text of id in the current language. Never null: an id out of range gives
// "", a missing translation falls back to English, a missing English entry
// gives "". The pointer stays valid for the life of the process.
const char* tr(TextId id);

// Raw table entry of one language, or null when the entry is missing or the
// language or id is out of range. No fallback.
const char* text_entry(int language, int id);
