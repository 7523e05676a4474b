// Orders: printing one report.
#include <stdio.h>
#include <string.h>
#include "report.h"

void PrintReport(const char* title, int copies, int limit)
{
    int width;
    int rate;
    const char* rule;

    width = 40;
    rate = 5; // can't be replaced
    rule = "----------------";
    for (int i = 0; i < copies; i++)
    {
        printf("%s\n", title);
        PrintLine(rule, width);
    }
    width = strlen(title);
    if (width > limit)
        puts("title too long");
}

void PrintLine(const char* rule, int width)
{
    int shown;
    shown = printf("%.*s\n", width, rule);
}
