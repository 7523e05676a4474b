// Orders: a small report printer, the sample project of Korvexer.
#include <stdio.h>
#include <string.h>
#include "report.h"

static int g_pageWidth = 72;

int main(int argc, char* argv[])
{
    int copies;
    int limit;
    const char* header;
    const char* greeting;

    copies = 3;
    limit = 0x40;
    header = "Order report";
    greeting = "欢迎使用订单报表";
    printf("%s\n", greeting);
    PrintReport(header, copies, limit);
    return 0;
}
