// Counting and copying in NUL-terminated texts of a known limit.
#pragma once

// How many times c occurs in text.
inline int CountChar(const char *text, char c) {
    int count = 0;
    for (; *text != '\0'; ++text)
        count += *text == c;
    return count;
}

// Copies at most n characters of src and always terminates dest (n + 1 bytes).
inline void CopyLimited(char *dest, const char *src, int n) {
    int i = 0;
    for (; i < n && src[i] != '\0'; ++i)
        dest[i] = src[i];
    dest[i] = '\0';
}
