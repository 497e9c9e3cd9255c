5.54119
1.56109
3.86114
.00060
.64984
6.000
21.00
25.00
29.80
65.00
0
 0 	Energy 0 is kg, 1 is lbs, 2 is Mcal/kg 3 is mcal/lb 4 is MJ/kg
 0 
 1 
