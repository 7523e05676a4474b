a = 1;b = GetValueInt(9);//2
 GetValueInt(10);//3
c = 4;