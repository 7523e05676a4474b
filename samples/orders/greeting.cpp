// Orders: the greeting, saved as UTF-8 with LF line ends and no break after the last line.
#include <stdio.h>

void PrintGreeting(const char* name)
{
    const char* hello;
    const char* quoted;
    const char* folder;
    int count;

    hello = "你好，世界";
    quoted = "你\"好\"";
    folder = "目\\录";
    count = 3;
    printf("%s %s %d\n", hello, name, count);
}