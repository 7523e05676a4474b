#define N 5
int main()
{
    x = GetValueInt(1030); // ten//10
    s = GetValueStr(1035);//"hi"
    t = GetValueStr(1040);//"жпнд"
    h = 0x1F;
    y = GetValueInt(1200);//7
}