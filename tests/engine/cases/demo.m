#import <Foundation/Foundation.h>
/* block comment */ // line comment
@interface Box : NSObject
@property (nonatomic, copy) NSString *label;
@end
NSString *s = @"say \"hi\"";   // escaped quotes stay inside
char c = '\'';
NSLog(@"%@", s);
