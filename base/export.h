/* The one way a library marks the entries it exports (and a program the
 * entries it takes from a library), for C and C++ sources alike. Entries
 * with C names add extern "C" themselves. */
#ifndef GLINTMERE_BASE_EXPORT_H_
#define GLINTMERE_BASE_EXPORT_H_

#if defined(_WIN32)
#define GLINTMERE_EXPORT __declspec(dllexport)
#define GLINTMERE_IMPORT __declspec(dllimport)
#else
/* Libraries build with hidden visibility: an export must say so. */
#define GLINTMERE_EXPORT __attribute__((visibility("default")))
#define GLINTMERE_IMPORT __attribute__((visibility("default")))
#endif

#endif /* GLINTMERE_BASE_EXPORT_H_ */
