#define N 5
int main()
{
    x = 10; // ten
    s = "hi";
    t = "жпнд";
    h = 0x1F;
    y = GetValueInt(1200);//7
}