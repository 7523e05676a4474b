n = GetValueInt(203); //40 is the limit//40
x = GetValueStr(105);//"abc"
m = GetValueInt(204);
k = 40;
