x = GetValueInt(2001);//1
