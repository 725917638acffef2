/* Writes an MSI package's summary information: the texts Windows shows in the file's properties,
 * its template, package code and times. msitools' own tools leave the title, keywords and comments
 * in English and store texts in UTF-8 whatever code page the summary declares; Windows reads them
 * in that code page. Here every text is converted to the code page given, and both times are set
 * to the one given, so that the same sources give the same package.
 * Usage: msisummary PACKAGE.msi CODEPAGE SECONDS-SINCE-1970 NAME=TEXT...
 * where NAME is title, subject, author, keywords, comments, template or revision. */
#include <libmsi.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

static const struct {
    const char *name;
    LibmsiProperty property;
} texts[] = {
    {"title", LIBMSI_PROPERTY_TITLE},       {"subject", LIBMSI_PROPERTY_SUBJECT},
    {"author", LIBMSI_PROPERTY_AUTHOR},     {"keywords", LIBMSI_PROPERTY_KEYWORDS},
    {"comments", LIBMSI_PROPERTY_COMMENTS}, {"template", LIBMSI_PROPERTY_TEMPLATE},
    {"revision", LIBMSI_PROPERTY_UUID},
};

static int fail(const char *what, GError *error)
{
    fprintf(stderr, "msisummary: %s: %s\n", what, error ? error->message : "");
    return 1;
}

int main(int argc, char **argv)
{
    if (argc < 4) {
        fprintf(stderr, "usage: msisummary PACKAGE.msi CODEPAGE SECONDS-SINCE-1970 NAME=TEXT...\n");
        return 2;
    }
    const int codepage = atoi(argv[2]);
    char charset[16];
    snprintf(charset, sizeof charset, "CP%d", codepage);
    /* A FILETIME counts 100 ns steps from 1601, 11644473600 s before 1970. */
    const guint64 filetime = (strtoull(argv[3], NULL, 10) + 11644473600ULL) * 10000000ULL;

    GError *error = NULL;
    LibmsiDatabase *db = libmsi_database_new(argv[1], LIBMSI_DB_FLAGS_TRANSACT, NULL, &error);
    if (!db)
        return fail(argv[1], error);
    LibmsiSummaryInfo *si = libmsi_summary_info_new(db, 20, &error);
    if (!si || !libmsi_summary_info_set_int(si, LIBMSI_PROPERTY_CODEPAGE, codepage, &error) ||
        !libmsi_summary_info_set_filetime(si, LIBMSI_PROPERTY_CREATED_TM, filetime, &error) ||
        !libmsi_summary_info_set_filetime(si, LIBMSI_PROPERTY_LASTSAVED_TM, filetime, &error))
        return fail("cannot set the summary information", error);

    for (int i = 4; i < argc; ++i) {
        const char *equals = strchr(argv[i], '=');
        size_t t = 0;
        while (equals && t < G_N_ELEMENTS(texts) &&
               (strlen(texts[t].name) != (size_t)(equals - argv[i]) ||
                strncmp(texts[t].name, argv[i], equals - argv[i]) != 0))
            ++t;
        if (!equals || t == G_N_ELEMENTS(texts)) {
            fprintf(stderr, "msisummary: no such summary text: %s\n", argv[i]);
            return 2;
        }
        gchar *text = g_convert(equals + 1, -1, charset, "UTF-8", NULL, NULL, &error);
        if (!text)
            return fail(argv[i], error);
        if (!libmsi_summary_info_set_string(si, texts[t].property, text, &error))
            return fail(argv[i], error);
        g_free(text);
    }

    if (!libmsi_summary_info_persist(si, &error) || !libmsi_database_commit(db, &error))
        return fail("cannot write the package", error);
    g_object_unref(si);
    g_object_unref(db);
    return 0;
}
