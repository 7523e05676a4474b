x = GetValueStr(105);//"abc"
y = GetValueInt(300);//5
