x = GetValueStr(230);//"abc"//GetValueStr(105)
y = 5;
